#include "FieldBinder.h"

#include "ChannelRecord.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSpinBox>

using namespace codeplug;

FieldBinder::FieldBinder(ImageSource image, RecordSource records, QObject *parent)
    : QObject(parent)
    , m_image(std::move(image))
    , m_records(std::move(records))
{
}

FieldBinder::FieldBinder(ImageSource image, QObject *parent)
    : FieldBinder(
        std::move(image), [] { return QList<int> { 0 }; }, parent)
{
}

void FieldBinder::bindOptions(
    const QList<QAbstractButton *> &buttons, const QList<int> &values, FieldCodec codec, AfterWrite after)
{
    for (int i = 0; i < int(buttons.size()); ++i) {
        connect(buttons.at(i), &QAbstractButton::clicked, this, [this, buttons, values, i, codec, after] {
            // An exclusive button clicked is always down afterwards; its partners go up.
            for (int j = 0; j < int(buttons.size()); ++j)
                buttons.at(j)->setChecked(j == i);
            write(codec, values.at(i), after);
        });
    }
    add({ Options { buttons, values }, std::move(codec), {}, {} });
}

void FieldBinder::bindToggle(QAbstractButton *button, FieldCodec codec, AfterWrite after)
{
    connect(button, &QAbstractButton::clicked, this,
        [this, codec, after](bool checked) { write(codec, checked ? 1 : 0, after); });
    add({ button, std::move(codec), {}, {} });
}

void FieldBinder::bindChoice(QComboBox *combo, FieldCodec codec, AfterWrite after)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, codec, after](int item) {
        if (item >= 0)
            write(codec, combo->itemData(item).toInt(), after);
    });
    add({ combo, std::move(codec), {}, {} });
}

void FieldBinder::bindSpin(QSpinBox *spin, FieldCodec codec, AfterWrite after)
{
    const int minimum = spin->minimum();
    connect(spin, &QSpinBox::valueChanged, this, [this, codec, after, minimum](int value) {
        if (value >= minimum)
            write(codec, value, after);
    });
    add({ spin, std::move(codec), {}, {}, minimum });
}

void FieldBinder::bindEdit(QLineEdit *edit, TextCodec codec, std::function<bool(QChar)> accepts)
{
    const int index = int(m_bindings.size());
    connect(edit, &QLineEdit::textChanged, this,
        [this, index](const QString &text) { writeText(m_bindings.at(index), text); });
    add({ edit, {}, std::move(codec), std::move(accepts) });
}

void FieldBinder::add(Binding binding)
{
    std::visit(
        [this](auto control) {
            using Control = decltype(control);
            if constexpr (std::is_same_v<Control, QComboBox *> || std::is_same_v<Control, QSpinBox *>) {
                // A wheel turned over the page must not give the control the focus (and so its value).
                control->setFocusPolicy(Qt::StrongFocus);
                control->installEventFilter(this);
            } else if constexpr (std::is_same_v<Control, QLineEdit *>) {
                control->installEventFilter(this);
            }
        },
        binding.control);
    m_bindings.append(std::move(binding));
}

// ---------------------------------------------------------------------------------------------
// Showing

void FieldBinder::show(const FileImage &image, const QList<int> &records)
{
    QScopedValueRollback updating(m_updating, true);
    for (const Binding &binding : std::as_const(m_bindings))
        showBinding(binding, &image, records);
}

void FieldBinder::showControl(QWidget *control)
{
    const Binding *binding = bindingOf(control);
    const FileImage *image = m_image();
    if (!binding || !image)
        return;
    QScopedValueRollback updating(m_updating, true);
    showBinding(*binding, image, m_records());
}

void FieldBinder::clear()
{
    QScopedValueRollback updating(m_updating, true);
    for (const Binding &binding : std::as_const(m_bindings))
        showBinding(binding, nullptr, {});
}

void FieldBinder::showBinding(const Binding &binding, const FileImage *image, const QList<int> &records)
{
    std::optional<int> shared;
    if (image && binding.codec.read)
        shared = commonValue<int>(*image, records, binding.codec.read);
    if (const auto *options = std::get_if<Options>(&binding.control)) {
        for (int i = 0; i < int(options->buttons.size()); ++i)
            options->buttons.at(i)->setChecked(shared && *shared == options->values.at(i));
    } else if (auto *const *toggle = std::get_if<QAbstractButton *>(&binding.control)) {
        (*toggle)->setChecked(shared && *shared == 1);
    } else if (auto *const *combo = std::get_if<QComboBox *>(&binding.control)) {
        (*combo)->setCurrentIndex(shared ? (*combo)->findData(*shared) : -1);
    } else if (auto *const *spin = std::get_if<QSpinBox *>(&binding.control)) {
        // Blank stands one below the range, so that choosing any value of the range writes it.
        (*spin)->setMinimum(shared ? binding.spinMinimum : binding.spinMinimum - 1);
        (*spin)->setSpecialValueText(shared ? QString() : QStringLiteral(" "));
        (*spin)->setValue(shared ? *shared : binding.spinMinimum - 1);
    } else if (auto *const *edit = std::get_if<QLineEdit *>(&binding.control)) {
        const std::optional<QString> text
            = image ? commonValue<QString>(*image, records, binding.text.read) : std::nullopt;
        (*edit)->setText(text.value_or(QString()));
    }
}

void FieldBinder::fillChoice(QComboBox *combo, const ValueLabels &labels)
{
    bool same = combo->count() == labels.size();
    for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemData(i).toInt() == labels.at(i).value && combo->itemText(i) == labels.at(i).label;
    if (same)
        return;
    QScopedValueRollback updating(m_updating, true);
    combo->clear();
    for (const ValueLabel &entry : labels)
        combo->addItem(entry.label, entry.value);
}

// ---------------------------------------------------------------------------------------------
// Writing

void FieldBinder::write(const FieldCodec &codec, int value, const AfterWrite &after)
{
    FileImage *image = m_image();
    if (!image || m_updating)
        return;
    for (int record : m_records())
        codec.write(*image, record, value);
    Q_EMIT written();
    if (after)
        after(value);
}

void FieldBinder::writeText(const Binding &binding, const QString &text)
{
    FileImage *image = m_image();
    if (!image || m_updating)
        return;
    auto *edit = std::get<QLineEdit *>(binding.control);
    if (binding.text.refusal) {
        if (const QString reason = binding.text.refusal(text); !reason.isEmpty()) {
            showStored(edit, binding.text);
            Q_EMIT refused(reason);
            return;
        }
    }
    for (int record : m_records())
        binding.text.write(*image, record, text);
    if (binding.text.cleans)
        showStored(edit, binding.text);
    Q_EMIT written();
}

void FieldBinder::showStored(QLineEdit *edit, const TextCodec &codec)
{
    const FileImage *image = m_image();
    const QList<int> records = m_records();
    if (!image || records.isEmpty())
        return;
    const QString stored = codec.read(*image, records.first());
    if (stored != edit->text()) {
        QScopedValueRollback updating(m_updating, true);
        edit->setText(stored);
    }
}

bool FieldBinder::editKeyPress(const Binding &binding, QKeyEvent *event)
{
    auto *edit = std::get<QLineEdit *>(binding.control);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Shows what was stored, without writing it into the other records.
        showStored(edit, binding.text);
        return true;
    }
    // Control keys (backspace, delete, cursor and clipboard keys) keep their meaning.
    const QString text = event->text();
    if (!binding.accepts || text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return false;
    return !binding.accepts(text.at(0));
}

const FieldBinder::Binding *FieldBinder::bindingOf(const QObject *control) const
{
    for (const Binding &binding : m_bindings) {
        const bool match = std::visit(
            [control](const auto &bound) {
                if constexpr (std::is_same_v<std::decay_t<decltype(bound)>, Options>)
                    return bound.buttons.contains(control);
                else
                    return bound == control;
            },
            binding.control);
        if (match)
            return &binding;
    }
    return nullptr;
}

bool FieldBinder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && !qobject_cast<QLineEdit *>(watched)
        && !static_cast<QWidget *>(watched)->hasFocus()) {
        // Ignored and filtered out, the wheel event goes on to the parents: the page scrolls.
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched)) {
        if (const Binding *binding = bindingOf(watched))
            return editKeyPress(*binding, static_cast<QKeyEvent *>(event));
    }
    return QObject::eventFilter(watched, event);
}
