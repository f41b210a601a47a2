#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class CBtnIcon;
class CExplorer;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The report pane: the reports of one test listed on the left, the chosen page in a browser
// on the right, and below it the buttons to open the page full size, print it, save every
// report file as one archive, go back to the persons, and print or save as PDF the whole
// test in one document. It lives as long as the main
// frame, which hands it the test to show.
class CChildReport : public QWidget {
    Q_OBJECT

public:
    explicit CChildReport(QWidget* parent = nullptr);

    // Lists the reports of a test (MeasID). False, with the old list left in place, when
    // the list could not be read.
    bool LoadReportList(int measId);
    // Shows Reports/<pageName>.htm in the browser.
    void ShowPage(const QString& pageName);

    // What "Return" does (the frame shows the persons).
    void SetReturnHandler(std::function<void()> onReturn) { m_onReturn = std::move(onReturn); }

    // The test whose reports are listed; 0 before any test was given.
    int MeasID() const { return m_nMeasID; }
    // The address of the page last shown, which Full Page opens.
    QUrl Url() const { return m_url; }

    QTreeWidget* Tree() const { return m_pTree; }
    CExplorer* Browser() const { return m_pBrowser; }
    CBtnIcon* CompositeButton() const { return m_pComposite; }
    QPushButton* Button(int id) const;

    // The height of the striped band that holds the buttons below the browser.
    static constexpr int kButtonBand = 56;
    static constexpr int kButtonWidth = 130;

signals:
    // "Print All" or "Save PDF" (their control ids) has ended; ok false when it was
    // cancelled, refused or failed.
    void documentFinished(int id, bool ok);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the row of buttons starts and how far apart they stand.
    struct ButtonRow {
        int left;
        int step;
    };
    static ButtonRow ButtonRowFor(int width, int count);

    void CreateControls();
    QPushButton* AddButton(int id, const QString& text, void (CChildReport::*handler)());
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void OnComposite();
    void OnFullPage();
    void OnPrint();
    void OnSaveReport();
    void OnExportResults();
    void OnReturn();
    void OnPrintAll();
    void OnSavePdf();
    void RunWholeTest(int id, bool (CChildReport::*work)());
    bool PrintWholeTest();
    bool SaveWholeTest();

    QFrame* m_pFrame = nullptr;
    QLabel* m_pTitle = nullptr;
    QTreeWidget* m_pTree = nullptr;
    CBtnIcon* m_pComposite = nullptr;
    CExplorer* m_pBrowser = nullptr;
    QList<QPushButton*> m_buttons;
    int m_nMeasID = 0;
    // A whole test's document is being made or printed; another is refused meanwhile.
    bool m_bDocumentBusy = false;
    QUrl m_url;
    std::function<void()> m_onReturn;
};
