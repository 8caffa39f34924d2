#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QComboBox>
#include <QLineEdit>
#include <QString>

class QTreeWidget;
class QWidget;

// The in-place editors of a list page: one edit box (`listViewEdit`) and one drop-down list
// (`listViewComboBox`), placed over a list cell while it is edited and hidden, as children of the
// page, otherwise. At most one cell of the page is edited at a time.
//
// Use from a page:
//   m_editor = new InPlaceEditor(this, [this] { return codePlugOpen(); });
//   m_editor->watch(m_listView);               // scrolling the list commits the edit
//   // in the double-click handler:
//   m_editor->beginTextEdit(m_listView, row, 2, 16, InPlaceEditor::printableAscii(),
//                           [this](int row, int, const QString &text) -> std::optional<QString> {
//                               if (!renameRecord(*currentImage(), lists::zones, row, text))
//                                   return std::nullopt;   // cell keeps its text
//                               return recordName(*currentImage(), lists::zones, row);
//                           });
// The edit ends with commit on Enter, on focus loss, when the drop-down closes its list, on a
// vertical scroll of a watched list and when another edit begins; Escape ends it without commit. A commit runs only
// while the `codePlugOpen` test holds; the callback writes the value into the image and returns the cell's new text (or
// nothing to leave the cell as it was). A CodePlugPage ends its editors' edits (without commit) when it is destroyed,
// before its lists go.
class InPlaceEditor final : public QObject
{
    Q_OBJECT
public:
    // True for a character the column accepts while typing; others are swallowed.
    using KeyFilter = std::function<bool(QChar)>;
    using TextCommit = std::function<std::optional<QString>(int row, int column, const QString &trimmedText)>;
    using ChoiceCommit = std::function<std::optional<QString>(int row, int column, qint64 value)>;
    struct Choice
    {
        QString text;
        qint64 value = 0;
    };

    InPlaceEditor(QWidget *page, std::function<bool()> codePlugOpen);
    ~InPlaceEditor() override;

    // Character codes 32 to 127, the filter of the name columns.
    static KeyFilter printableAscii();

    // Ends the edit (with commit) whenever the list is scrolled vertically.
    void watch(QTreeWidget *list);

    // Opens the edit box over the cell with the cell's text trimmed, all of it selected. Ends any
    // edit in progress first (with commit). False when no code plug is open or the cell is absent.
    bool beginTextEdit(QTreeWidget *list, int row, int column, int maxLength, KeyFilter filter, TextCommit commit);
    // Opens the drop-down over the cell with the choices; the one whose value equals `current` is
    // selected (none when no value matches). It does not drop down by itself.
    bool beginChoiceEdit(
        QTreeWidget *list, int row, int column, const QList<Choice> &choices, qint64 current, ChoiceCommit commit);
    // Closes whichever editor is open; with commit, hands its value to the page first.
    void endEdit(bool commit);

    bool isEditing() const { return m_list != nullptr; }
    QTreeWidget *list() const { return m_list; }
    int row() const { return m_row; }
    int column() const { return m_column; }
    QLineEdit *lineEdit() const { return m_edit; }
    QComboBox *comboBox() const { return m_combo; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool prepare(QTreeWidget *list, int row, int column);
    void placeOver(QWidget *editor, QTreeWidget *list, int row, int column);
    void commitValue();
    void park(QWidget *editor);
    bool editKeyPress(class QKeyEvent *event);
    // True while the drop-down's own list holds the focus (its list is open).
    bool focusInDropDownList() const;

    QWidget *m_page;
    std::function<bool()> m_codePlugOpen;
    QPointer<QLineEdit> m_edit;
    QPointer<QComboBox> m_combo;
    QTreeWidget *m_list = nullptr;
    int m_row = -1;
    int m_column = -1;
    KeyFilter m_filter;
    TextCommit m_textCommit;
    ChoiceCommit m_choiceCommit;
    bool m_ending = false;
    int m_editSerial = 0; // counts the edits begun, so that a late close-up ends only its own edit
};
