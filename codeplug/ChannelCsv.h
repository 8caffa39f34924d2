#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace codeplug {

inline constexpr char kChannelCsvHeader[]
    = "name,mode,rx freq,tx freq,bandwidth,auto scan,squelch mode,lone worker,talk around,rx only,repeater slot,"
      "colour code,private call confirmed,data call confirmed,privacy mode,privacy key,emergency alarm ack,"
      "compressed udp data header,display ptt id,reverse burst turn off code,qt reverse,vox,gps system,admit criteria,"
      "rx rel freq,tx rel freq,tx power,scan list,contact,rx group,emergency system,tx time out,"
      "tx time out rekey delay,decode 1,decode 2,decode 3,decode 4,decode 5,decode 6,decode 7,decode 8,tx dtmf,rx dtmf,"
      "rx ctcss cdcss,tx ctcss cdcss,tx gps info,rx gps info";
inline constexpr int kChannelCsvFields = 47;

enum ChannelCsvError {
    CsvNoFileName = -1,
    CsvCannotCreate = -2,
    CsvCannotWrite = -3,
    CsvCannotOpen = -4,
    CsvBadHeader = -5,
};

// The outcome of an export or import: `value` is 0 / the number of channels imported, or a
// negative ChannelCsvError; `messages` are the texts to show, in order (stop icon, application
// title as caption); `skippedLines` the numbers of the file's lines an import could not read.
struct ChannelCsvResult
{
    int value = 0;
    QStringList messages;
    QList<int> skippedLines;

    // What an import did, in the words the editor and the command-line tool report it.
    QString summary() const { return QStringLiteral("%1 channels imported").arg(value); }
};

// The whole file text: the header and one line per used channel, CR LF line ends; a name holding a
// separator or a double quote is quoted.
QByteArray channelsCsvText(const FileImage &image);
ChannelCsvResult exportChannelsCsv(const FileImage &image, const QString &fileName);

// Merges the file's channels into the image by case-insensitive name; protected names are skipped.
ChannelCsvResult importChannelsCsvText(
    FileImage &image, const QByteArray &text, const QString &fileName, const ProtectedChannelList &protectedNames);
ChannelCsvResult importChannelsCsv(
    FileImage &image, const QString &fileName, const ProtectedChannelList &protectedNames);

} // namespace codeplug
