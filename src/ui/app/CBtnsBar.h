#pragma once

#include <QWidget>
#include <map>

class CBtnIcon;
class CClrTitle;

// The picture toolbar across the top of the main window: the program's title, eleven
// command buttons in a row and the minimise and close signs at the right edge.
class CBtnsBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 100;

    explicit CBtnsBar(QWidget* parent = nullptr);

    // The button with a control id (ctl::Home ... ctl::Exit, ctl::Minimise,
    // ctl::CloseSign); nullptr for any other id.
    CBtnIcon* Button(int id) const;
    CClrTitle* Title() const { return m_pTitle; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateTitle();
    void CreateButtons();
    void PlaceWindowSigns();

    CClrTitle* m_pTitle = nullptr;
    std::map<int, CBtnIcon*> m_buttons;
};
