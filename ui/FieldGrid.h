#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The labelled fields of one group box of a detail or settings page: label-control pairs, then a
// block of toggle buttons. Two pairs (and four toggles) stand in a row when the area is wide
// enough, else one (and two). Owned by its group box, which it adds to the area's layout.
class FieldGrid final : public QObject
{
public:
    FieldGrid(QWidget *area, const char *name, const QString &title, const QString &hint);

    QGroupBox *box() const { return m_box; }

    // The label is named after its control: "RxFreqEdit" gets "RxFreqLabel".
    QLabel *addField(const QString &text, QWidget *control);
    // A drop-down list named `name`; the hint goes to the list and its label.
    QComboBox *addCombo(const char *name, const QString &label, const QString &hint = {});
    QLineEdit *addEdit(const char *name, const QString &label, int maxLength);
    // Exclusive checkable buttons in one field; "Tx Rel Frequency" gives the panel
    // TxRelFrequencyPanel and the label TxRelFrequencyLabel.
    QList<QPushButton *> addOptions(
        const QString &label, const QList<const char *> &names, const QStringList &captions);
    QPushButton *addToggle(const char *name, const QString &caption, const QString &hint = {});

    int labelWidth() const;
    // Places the pairs `pairsPerRow` to a row with label columns of `labelWidth`, and the toggles
    // as many to a row as an area `width` wide holds (two to a pair when `width` is 0).
    void arrange(int pairsPerRow, int labelWidth, int width);

    // Arranges the grids of one area in the same columns, two pairs to a row when `width` holds
    // them. `twoColumnWidth` caches the least width of two pairs to a row (0 before the first call).
    static void arrangeAll(const QList<FieldGrid *> &grids, QWidget *area, int width, int &twoColumnWidth);
    // Down buttons of the area stand out from up ones at a glance, also in styles that shade them
    // lightly: the toggles of every page and the main window's slot buttons look alike.
    static void highlightDownButtons(QWidget *area);

private:
    struct Pair
    {
        QLabel *label;
        QWidget *control;
    };

    QGroupBox *m_box;
    QVBoxLayout *m_outer;
    QGridLayout *m_fields = nullptr;
    QVBoxLayout *m_toggles = nullptr;
    QList<Pair> m_pairs;
    QList<QPushButton *> m_toggleButtons;
    int m_pairsPerRow = 0;
    int m_labelWidth = 0;
    QList<int> m_toggleRows;
};
