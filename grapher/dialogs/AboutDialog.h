#pragma once
// The about box: version, program date, support and thank-you lines, the two web links, and a
// picture that runs the speed test of the engine when clicked. A thin window over AboutModel.
#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent);

    QToolButton *pictureButton() const { return m_pictureButton; }
    QLabel *versionLabel() const { return m_versionLabel; }
    QLabel *supportLabel() const { return m_supportLabel; }
    QLabel *siteLabel() const { return m_siteLabel; }
    QPushButton *okButton() const { return m_okButton; }

    // The picture's click: asks for a function (the last one tested is proposed) and tests it.
    void askSpeedTest();
    // The speed test of `function`, the input box's answer: an empty answer does nothing; one
    // that parses is evaluated and the time shown in a message box titled "Test"; one that does
    // not parse shows nothing.
    void runSpeedTest(const QString &function);

    // The web items (site, update check, the box's links) while the product has no web site:
    // a message box that says so.
    static void reportNoWebSite();

private:
    QToolButton *m_pictureButton;
    QLabel *m_versionLabel;
    QLabel *m_supportLabel;
    QLabel *m_thankYouLabel;
    QLabel *m_siteLabel;
    QPushButton *m_okButton;
};
