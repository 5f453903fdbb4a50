#pragma once
// The help viewer: a browser over the pages of the help folder with contents, back and
// forward. Links to web addresses open in the user's browser.
#include <QWidget>

class QTextBrowser;
class QToolButton;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows `page` (a file name in the help folder, optionally with "#anchor").
    void showPage(const QString &page);
    QString currentPage() const;
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
    QToolButton *m_contents;
    QToolButton *m_back;
    QToolButton *m_forward;
};
