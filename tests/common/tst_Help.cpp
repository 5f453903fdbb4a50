// Help pages and the help window; what OpenDocument does with a target.
#include "ui/Help.h"
#include "ui/HelpWindow.h"
#include "TestEnvironment.h"

#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>

class TestHelp : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void classify_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("kind");
        QTemporaryDir &dir = m_dir;
        QFile document(dir.filePath(QStringLiteral("report.html")));
        document.open(QIODevice::WriteOnly);
        document.close();
        QFile program(dir.filePath(QStringLiteral("calc")));
        program.open(QIODevice::WriteOnly);
        program.close();
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
        QFile executableDocument(dir.filePath(QStringLiteral("notes.txt")));
        executableDocument.open(QIODevice::WriteOnly);
        executableDocument.close();
        executableDocument.setPermissions(executableDocument.permissions() | QFileDevice::ExeOwner);

        QTest::newRow("web page") << "https://trevolin.example.org/numerical.html" << int(DocumentKind::WebAddress);
        QTest::newRow("web page, upper case scheme") << "HTTP://example.org" << int(DocumentKind::WebAddress);
        QTest::newRow("address without scheme") << "www.example.org" << int(DocumentKind::WebAddress);
        QTest::newRow("mail") << "mailto:someone@example.org" << int(DocumentKind::WebAddress);
        QTest::newRow("folder") << dir.path() << int(DocumentKind::File);
        QTest::newRow("document") << dir.filePath(QStringLiteral("report.html")) << int(DocumentKind::File);
        QTest::newRow("program") << dir.filePath(QStringLiteral("calc")) << int(DocumentKind::Program);
        QTest::newRow("document with the executable bit")
            << dir.filePath(QStringLiteral("notes.txt")) << int(DocumentKind::File);
        QTest::newRow("missing file") << dir.filePath(QStringLiteral("none")) << int(DocumentKind::Nothing);
        QTest::newRow("empty") << "" << int(DocumentKind::Nothing);
    }

    void classify()
    {
        QFETCH(QString, target);
        QFETCH(int, kind);
        QCOMPARE(int(ClassifyDocument(target)), kind);
    }

    void openingNothingReportsNothing()
    {
        OpenDocument(QString());
        OpenDocument(m_dir.filePath(QStringLiteral("none")));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void requiredPagesExist_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page : {"index.html", "whatsnew.html", "mg.html", "change.html", "expresie.html",
                                 "trevcalc.html", "wizard.html", "options.html", "evaluate.html", "derive.html",
                                 "integrate.html", "extrema.html", "errors.html", "keys.html"})
            QTest::newRow(page) << QString::fromLatin1(page);
    }

    void requiredPagesExist()
    {
        QFETCH(QString, page);
        QVERIFY2(QFileInfo(HelpPagePath(page)).isFile(), qPrintable(HelpPagePath(page)));
    }

    // Every link between help pages leads to a page that exists, and to an anchor on it.
    void linksBetweenPagesResolve()
    {
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        static const QRegularExpression ids(QStringLiteral("(?:id|name)=\"([^\"]+)\""));
        QStringList broken;
        int links = 0;
        QDirIterator pages(HelpFolder(), {QStringLiteral("*.html")}, QDir::Files);
        while (pages.hasNext()) {
            const QString path = pages.next();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            auto matches = href.globalMatch(text);
            while (matches.hasNext()) {
                const QString target = matches.next().captured(1);
                if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:")))
                    continue;
                ++links;
                const int hash = target.indexOf(QLatin1Char('#'));
                const QString file = hash < 0 ? target : target.left(hash);
                const QString anchor = hash < 0 ? QString() : target.mid(hash + 1);
                const QString targetPath = file.isEmpty() ? path : HelpPagePath(file);
                QFile linked(targetPath);
                if (!linked.open(QIODevice::ReadOnly)) {
                    broken << QFileInfo(path).fileName() + QStringLiteral(" -> ") + target;
                    continue;
                }
                if (anchor.isEmpty())
                    continue;
                QStringList anchors;
                auto idMatches = ids.globalMatch(QString::fromUtf8(linked.readAll()));
                while (idMatches.hasNext())
                    anchors << idMatches.next().captured(1);
                if (!anchors.contains(anchor))
                    broken << QFileInfo(path).fileName() + QStringLiteral(" -> ") + target;
            }
        }
        QVERIFY(links > 20);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
    }

    void helpWindowShowsPages()
    {
        HelpWindow window;
        window.showPage(QStringLiteral("expresie.html#functions"));
        QCOMPARE(window.currentPage(), QStringLiteral("expresie.html#functions"));
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("sqrt")));
        window.showPage(QStringLiteral("whatsnew.html"));
        QCOMPARE(window.currentPage(), QStringLiteral("whatsnew.html"));
        QVERIFY(window.browser()->isBackwardAvailable());
    }

    void escapeClosesTheHelpWindow()
    {
        HelpWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_VERIFY(!window.isVisible());
    }

    void showHelpKeepsOneWindowPerKind()
    {
        QWidget owner;
        ShowHelpContents(&owner);
        ShowHelpTopic(&owner, QStringLiteral("mg.html"));
        ShowHelpInWindow(&owner, QStringLiteral("expresie.html"));
        QList<HelpWindow *> windows = owner.findChildren<HelpWindow *>();
        QCOMPARE(windows.size(), 2);
        QStringList pages;
        for (HelpWindow *window : windows)
            pages << window->currentPage();
        pages.sort();
        QCOMPARE(pages, (QStringList{QStringLiteral("expresie.html"), QStringLiteral("mg.html")}));
    }

    // Help asked for from a modal dialog must not be blocked by that dialog.
    void helpFollowsTheWindowThatAsks()
    {
        QWidget main;
        ShowHelpTopic(&main, QStringLiteral("index.html"));
        QDialog dialog(&main);
        dialog.setModal(true);
        auto *field = new QWidget(&dialog);
        ShowHelpTopic(field, QStringLiteral("change.html"));
        QList<HelpWindow *> windows = dialog.findChildren<HelpWindow *>();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.constFirst()->currentPage(), QStringLiteral("change.html"));
        QVERIFY(windows.constFirst()->isWindow());
        QVERIFY(windows.constFirst()->parentWidget() == &dialog);
    }
};

TREV_TEST_MAIN(TestHelp)
#include "tst_Help.moc"
