#pragma once

#include "FieldCodec.h"

#include <functional>
#include <variant>

#include <QList>
#include <QObject>

namespace codeplug {
struct ValueLabel;
using ValueLabels = QList<ValueLabel>;
} // namespace codeplug
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

// Binds controls to fields of the selected records of a list, or of one settings area. Each
// control shows the value its records share and is blank when they differ (no option button or
// toggle down, no combo entry, an empty edit); a change by the user is written at once into every
// record, and only into the field's own bits. A page is then a table of bindings plus its own
// few rules.
//
// The mouse wheel never changes an unfocused drop-down list or spin box: the wheel goes on to the
// scroll area around it.
class FieldBinder final : public QObject
{
    Q_OBJECT
public:
    using ImageSource = std::function<codeplug::FileImage *()>;
    using RecordSource = std::function<QList<int>()>;
    // Called after a control wrote `value` into the records.
    using AfterWrite = std::function<void(int value)>;

    // Over the records `records` gives at each edit (the selected rows of a list).
    FieldBinder(ImageSource image, RecordSource records, QObject *parent);
    // Over one settings area: its codecs read and write record 0 (see codeplug::settingsArea).
    FieldBinder(ImageSource image, QObject *parent);

    // Exclusive checkable buttons, button i standing for values[i]. A clicked button stays down.
    void bindOptions(const QList<QAbstractButton *> &buttons, const QList<int> &values, codeplug::FieldCodec codec,
        AfterWrite after = {});
    template <class Button>
    void bindOptions(
        const QList<Button *> &buttons, const QList<int> &values, codeplug::FieldCodec codec, AfterWrite after = {})
    {
        bindOptions(
            QList<QAbstractButton *>(buttons.begin(), buttons.end()), values, std::move(codec), std::move(after));
    }
    // A checkable button, down for 1 (use codeplug::inverted for fields stored as "off").
    void bindToggle(QAbstractButton *button, codeplug::FieldCodec codec, AfterWrite after = {});
    // A drop-down list whose entries carry their values in Qt::UserRole (see fillChoice).
    void bindChoice(QComboBox *combo, codeplug::FieldCodec codec, AfterWrite after = {});
    void bindSpin(QSpinBox *spin, codeplug::FieldCodec codec, AfterWrite after = {});
    // An edit written at every change of its text. Keys of printable characters that `accepts`
    // refuses are swallowed; Enter shows the value stored in the first record, writing nothing.
    // A text the codec refuses writes nothing: the edit goes back to the stored value and
    // refused() carries the reason. An edit of a cleaning codec shows what was stored.
    void bindEdit(QLineEdit *edit, codeplug::TextCodec codec, std::function<bool(QChar)> accepts = {});

    // Shows in every bound control the value common to `records` of `image`.
    void show(const codeplug::FileImage &image, const QList<int> &records);
    // Shows one bound control again from the current image and records (after its entries changed).
    void showControl(QWidget *control);
    // Blanks every bound control (no code plug).
    void clear();

    // Refills a combo box with value-carrying entries; an unchanged list is left alone, so that a
    // refresh per selection change stays cheap even for the thousand contacts. Writes nothing.
    void fillChoice(QComboBox *combo, const codeplug::ValueLabels &labels);

    // True while the binder fills controls, when their change signals must write nothing.
    bool isUpdating() const { return m_updating; }

Q_SIGNALS:
    // A control wrote into the records.
    void written();
    // An edit's text was refused (see bindEdit); the page tells the user why.
    void refused(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Options
    {
        QList<QAbstractButton *> buttons;
        QList<int> values;
    };
    struct Binding
    {
        std::variant<Options, QAbstractButton *, QComboBox *, QSpinBox *, QLineEdit *> control;
        codeplug::FieldCodec codec;
        codeplug::TextCodec text;
        std::function<bool(QChar)> accepts;
        int spinMinimum = 0; // the least value of a spin box; one below shows blank
    };

    void add(Binding binding);
    void showBinding(const Binding &binding, const codeplug::FileImage *image, const QList<int> &records);
    void write(const codeplug::FieldCodec &codec, int value, const AfterWrite &after);
    void writeText(const Binding &binding, const QString &text);
    void showStored(QLineEdit *edit, const codeplug::TextCodec &codec);
    bool editKeyPress(const Binding &binding, class QKeyEvent *event);
    const Binding *bindingOf(const QObject *control) const;

    ImageSource m_image;
    RecordSource m_records;
    QList<Binding> m_bindings;
    bool m_updating = false;
};
