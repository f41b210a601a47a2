#pragma once

#include <QWidget>
#include <functional>

class CBtnIcon;
class CExplorer1;
class QFrame;
class QLabel;

// The comparison pane: the moderately abnormal items of two tests of one person, one page
// above the other, each with the date and time of its test at the left. Buttons at the
// right print or save both pages and go back to the persons. It lives as long as the main
// frame, which hands it the two tests to compare.
class CChildPara : public QWidget {
    Q_OBJECT

public:
    explicit CChildPara(QWidget* parent = nullptr);

    // Builds the pages of the two tests (MeasIDs, in the caller's order) and shows them.
    void Compare(int firstMeasId, int secondMeasId);

    // What "Return" does (the frame shows the persons).
    void SetReturnHandler(std::function<void()> onReturn) { m_onReturn = std::move(onReturn); }

    int FirstMeasID() const { return m_nFirstMeasID; }
    int SecondMeasID() const { return m_nSecondMeasID; }

    CExplorer1* UpperBrowser() const { return m_pUpper; }
    CExplorer1* LowerBrowser() const { return m_pLower; }
    QLabel* DateLabel(int side) const { return side == 1 ? m_pUpperDate : m_pLowerDate; }
    CBtnIcon* Button(int id) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    CBtnIcon* AddButton(int id, const QString& text, int icon, void (CChildPara::*handler)());
    QLabel* AddLabel(int id, const QString& text, int pixelHeight, const QColor& colour);
    void ShowSide(int measId, int side);
    void OnPrint();
    void OnSave();
    void OnReturn();

    CExplorer1* m_pUpper = nullptr;
    CExplorer1* m_pLower = nullptr;
    QFrame* m_pFrame = nullptr;
    QLabel* m_pUpperPicture = nullptr;
    QLabel* m_pLowerPicture = nullptr;
    QLabel* m_pUpperLabel = nullptr;
    QLabel* m_pLowerLabel = nullptr;
    QLabel* m_pUpperDate = nullptr;
    QLabel* m_pLowerDate = nullptr;
    QList<CBtnIcon*> m_buttons;
    int m_nFirstMeasID = 0;
    int m_nSecondMeasID = 0;
    std::function<void()> m_onReturn;
};
