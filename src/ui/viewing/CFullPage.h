#pragma once

#include <QDialog>
#include <QUrl>

class CExplorer;
class QPushButton;

// "Full Page View": the page of the report view in a maximised window, with print, print
// preview, save and page setup above it. The caller sets url before running it.
class CFullPage : public QDialog {
    Q_OBJECT

public:
    explicit CFullPage(QWidget* parent = nullptr);

    CExplorer* Browser() const { return m_pBrowser; }
    QPushButton* Button(int id) const;

    // The page to show; empty shows an empty browser.
    QUrl url;

    // Height of the button band above the browser.
    static constexpr int kButtonBand = 36;

    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* AddButton(int id, const QString& text, int command);

    CExplorer* m_pBrowser = nullptr;
    QList<QPushButton*> m_buttons;
    bool m_bInitialised = false;
};
