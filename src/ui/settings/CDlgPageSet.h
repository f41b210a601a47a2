#pragma once

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace hv {
struct AlignedText;
}

// "Set headers and footers": the print header and footer texts, each with its alignment, and
// the station's switch for printing page backgrounds. OK stores them and closes; Exit closes
// without storing.
class CDlgPageSet : public QDialog {
    Q_OBJECT

public:
    // One text with its alignment radios (Left, Center, Right).
    struct TextRow {
        QButtonGroup* alignment = nullptr;
        std::array<QRadioButton*, 3> radios{};
        QLineEdit* text = nullptr;
    };

    explicit CDlgPageSet(QWidget* parent = nullptr);

    const TextRow& Header() const { return m_head; }
    const TextRow& Footer() const { return m_foot; }
    QCheckBox* BackgroundsBox() const { return m_pBackgrounds; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* ExitButton() const { return m_pExit; }

    // Stores both texts in the database and the background switch in the station's settings.
    // Closes with OK unless the database could not be opened, which keeps the operator's
    // entries on screen.
    void Save();

private:
    QWidget* CreateRow(TextRow& row, const QString& title, const QString& name);
    static void Show(TextRow& row, const hv::AlignedText& value);
    static hv::AlignedText Read(const TextRow& row);

    TextRow m_head;
    TextRow m_foot;
    QCheckBox* m_pBackgrounds = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pExit = nullptr;
};
