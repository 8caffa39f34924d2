#!/usr/bin/env python3
# Builds fixture images from a fresh `new` image (references in every place, random contents)
# and runs the channels and contacts commands over them, writing DIR/transcript.txt: stdout,
# stderr, exit code and the md5 of every written file. Run it with the tool of two builds and
# compare the transcripts to see that a change kept the commands byte for byte.
#
#   scripts/list-commands-transcript.py build-old/bin/codeplug /tmp/old
#   scripts/list-commands-transcript.py build/bin/codeplug /tmp/new
#   cmp /tmp/old/transcript.txt /tmp/new/transcript.txt
import hashlib, os, random, shutil, subprocess, sys

tool, outdir = os.path.abspath(sys.argv[1]), sys.argv[2]
shutil.rmtree(outdir, ignore_errors=True); os.makedirs(outdir); os.chdir(outdir)
log = open('transcript.txt', 'w')

def run(args, files=()):
    p = subprocess.run([tool] + args, capture_output=True)
    log.write('$ %s\nrc=%d\n--out\n%s--err\n%s' % (' '.join(args), p.returncode, p.stdout.decode('latin1'), p.stderr.decode('latin1')))
    for f in files:
        if os.path.exists(f):
            log.write('file %s %s\n' % (f, hashlib.md5(open(f, 'rb').read()).hexdigest()))
        else:
            log.write('file %s missing\n' % f)

for b in range(4):
    for m in range(3):
        run(['new', '--band', str(b), '--model', str(m), 'new%d%d.rdt' % (b, m)], ['new%d%d.rdt' % (b, m)])
run(['new', 'plain.rdt'], ['plain.rdt'])
base = bytearray(open('plain.rdt', 'rb').read())

CH, CT, GL, ZN, SL, ES = 127013, 24997, 60997, 84997, 100997, 23701 + 16
BT, DT, GP = 8999, 197157, 257637
def u16(img, o, v): img[o] = v & 255; img[o + 1] = (v >> 8) & 255
def name(img, o, s):
    for i in range(16): u16(img, o + 2 * i, 0)
    for i, c in enumerate(s[:16]): u16(img, o + 2 * i, ord(c))
def channel(img, i, s, mode, contact=0):
    o = CH + 64 * i; img[o] = (img[o] & ~3) | mode; u16(img, o + 6, contact); name(img, o + 32, s)
    for k in range(4): img[o + 16 + k] = 0x00; img[o + 20 + k] = 0x00
    img[o + 18] = 0x30; img[o + 19] = 0x43; img[o + 22] = 0x30; img[o + 23] = 0x43
def contact(img, i, s, cid, ctype, tone):
    o = CT + 36 * i; img[o] = cid & 255; img[o + 1] = (cid >> 8) & 255; img[o + 2] = cid >> 16
    img[o + 3] = 0xC0 | ctype | (0x20 if tone else 0); name(img, o + 4, s)
def owner(img, base, size, first, i, s, members):
    o = base + size * i; name(img, o, s)
    for k, v in enumerate(members): u16(img, o + first + 2 * k, v)

def fixture(seed):
    rnd = random.Random(seed)
    img = bytearray(base)
    nch = [20, 60, 1000][seed % 3] if seed else 24
    nct = [30, 200, 1000][seed % 3] if seed else 32
    words = ['alpha', 'Beta', ' gamma', 'delta ', 'Zulu', 'echo', 'Echo', 'x', 'Rpt 1', 'rpt 1', '\x7fodd', 'caf\xe9']
    for i in range(nch):
        channel(img, i, rnd.choice(words) + (str(rnd.randrange(50)) if rnd.random() < .7 else ''), rnd.randrange(3), rnd.randrange(nct + 3))
    for i in range(nct):
        nm = '' if rnd.random() < .05 else rnd.choice(words) + str(rnd.randrange(20))
        contact(img, i, nm or ' ', rnd.randrange(1 << 24) if rnd.random() < .8 else rnd.choice([5, 1000000, 7]), rnd.randrange(8), rnd.random() < .4)
    def val(n): return rnd.choice([0, 0, 0xFFFF, n + 5, 1001] + [rnd.randrange(1, n + 1)] * 6)
    for g in range(rnd.randrange(2, 8)):
        owner(img, GL, 96, 32, g, 'Group%d' % g, [val(nct) for _ in range(rnd.randrange(33))])
    for z in range(rnd.randrange(2, 8)):
        owner(img, ZN, 64, 32, z, 'Zone%d' % z, [val(nch) for _ in range(rnd.randrange(17))])
    for s in range(rnd.randrange(2, 8)):
        owner(img, SL, 104, 42, s, 'Scan%d' % s, [val(nch) for _ in range(rnd.randrange(32))])
    for e in range(rnd.randrange(1, 5)):
        o = ES + 40 * e; name(img, o, 'Sys%d' % e); u16(img, o + 36, val(nch))
    for k in range(6):
        o = BT + 18 + 4 * k; img[o] = (img[o] & 0xCF) | (rnd.randrange(4) << 4); u16(img, o + 2, val(nct))
    for k in range(10):
        if rnd.random() < .4: u16(img, BT + 42 + 2 * k, val(nct))
    for k in range(8):
        if rnd.random() < .4: u16(img, DT + 724 + 24 * k, val(nch))
    for k in range(16):
        if rnd.random() < .3: u16(img, GP + 16 * k, val(nch))
        if rnd.random() < .3: u16(img, GP + 16 * k + 4, val(nct))
    return img, nch, nct, rnd

fixtures = []
for seed in range(7):
    img, nch, nct, rnd = fixture(seed)
    f = 'fx%d.rdt' % seed
    open(f, 'wb').write(img)
    fixtures.append((f, nch, nct, rnd))
# One without any reference at all, to see deletions go through.
img = bytearray(base)
for i in range(40): channel(img, i, 'Ch%02d' % (40 - i), i % 3)
for i in range(40): contact(img, i, 'Ct%02d' % ((i * 7) % 40), i * 13, i % 8, i % 2)
open('free.rdt', 'wb').write(img); fixtures.append(('free.rdt', 40, 40, random.Random(99)))

n = 0
def out():
    global n; n += 1; return 'o%d.rdt' % n
for f, nch, nct, rnd in fixtures:
    for what, count in (('channels', nch), ('contacts', nct)):
        run([what, 'list', f])
        for ext in (['csv'] if what == 'channels' else ['txt', 'csv']):
            e = '%s-%s.%s' % (f, what, ext); run([what, 'export', f, e], [e])
        sels = [[1], [count], [2, 3], [1, count], sorted(rnd.sample(range(1, count + 1), min(count, 5))),
                sorted(rnd.sample(range(1, count + 1), min(count, count // 2))), list(range(1, count + 1))]
        for sel in sels:
            for extra in ([], ['--stop-on-refusal']):
                o = out(); run([what, 'delete', f] + [str(x) for x in sel] + extra + ['-o', o], [o])
        prot = ['--protect', 'alpha1', '--protect', 'Zulu'] if what == 'channels' else ['--protect-id', '5', '--protect-id', '7']
        o = out(); run([what, 'delete', f] + [str(x) for x in sels[5]] + prot + ['-o', o], [o])
        o = out(); run([what, 'delete', f] + [str(x) for x in sels[6]] + prot + ['-o', o], [o])
        for sel in sels[:6]:
            for by in (1, -1, 3, -5, 1000, -1000):
                o = out(); run([what, 'move', f] + [str(x) for x in sel] + ['--by', str(by), '-o', o], [o])
        keys = [[]] if what == 'channels' else [['--by', k] for k in ('name', 'id', 'type', 'rxtone')]
        for k in keys:
            o = out(); run([what, 'sort', f] + k + ['-o', o], [o])
            o = out(); run([what, 'sort', f] + k + prot + ['-o', o], [o])
    o = out(); run(['channels', 'import', f, 'fx1.rdt-channels.csv', '--protect', 'Zulu', '-o', o], [o])
    o = out(); run(['contacts', 'import', f, 'fx2.rdt-contacts.txt', '--protect-id', '5', '-o', o], [o])
    o = out(); run(['contacts', 'import', f, 'fx1.rdt-contacts.csv', '-o', o], [o])
print('runs', n)
