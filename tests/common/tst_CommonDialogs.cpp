// The file, colour and print dialogs: what they return for each answer of the user.
#include "ui/CommonDialogs.h"
#include "TestEnvironment.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Answers the dialogs as a test tells it and remembers what they were asked.
class ScriptedDialogs : public DialogSink {
public:
    QStringList files;
    QString savePath;
    QColor colourAnswer;
    bool printAnswer = false;

    QString askedTitle, askedFolder, askedFilter, askedSuffix, askedProposal;
    QColor askedColour;

    QStringList openFiles(QWidget *, const QString &title, const QString &folder, const QString &filter,
                          const QString &defaultSuffix) override
    {
        askedTitle = title;
        askedFolder = folder;
        askedFilter = filter;
        askedSuffix = defaultSuffix;
        return files;
    }
    QString saveFile(QWidget *, const QString &title, const QString &proposedPath, const QString &filter,
                     const QString &defaultSuffix) override
    {
        askedTitle = title;
        askedProposal = proposedPath;
        askedFilter = filter;
        askedSuffix = defaultSuffix;
        return savePath;
    }
    QColor colour(QWidget *, const QColor &initial) override
    {
        askedColour = initial;
        return colourAnswer;
    }
    bool print(QWidget *, QPrinter &) override { return printAnswer; }
};

const FileFilter ProjectFilter = {{QStringLiteral("Trevolin Projects (*.tvp)"), QStringLiteral("*.tvp")}};

// Runs `answer` on the first modal dialog of type T as soon as it shows.
template <typename T, typename F>
void answerDialog(F answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog) {
            answerDialog<T>(answer);
            return;
        }
        answer(dialog);
    });
}

} // namespace

class TestCommonDialogs : public QObject {
    Q_OBJECT

    ScriptedDialogs m_dialogs;

private slots:
    void init() { SetDialogSink(&m_dialogs); }
    void cleanup() { SetDialogSink(nullptr); }

    void openDialogResults_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("cancel") << QStringList() << false << QStringList{"untouched"} << QStringList{"untouched"};
        QTest::newRow("one file gives its full path")
            << QStringList{"/data/p/a.tvp"} << true << QStringList{"/data/p/a.tvp"} << QStringList{"/data/p/a.tvp"};
        QTest::newRow("three files give the folder and three names")
            << QStringList{"/data/p/a.tvp", "/data/p/b c.tvp", "/data/p/d.tvp"} << true
            << QStringList{"/data/p", "a.tvp", "b c.tvp", "d.tvp"}
            << QStringList{"/data/p/a.tvp", "/data/p/b c.tvp", "/data/p/d.tvp"};
    }

    void openDialogResults()
    {
        QFETCH(QStringList, chosen);
        QFETCH(bool, ok);
        QFETCH(QStringList, files);
        QFETCH(QStringList, paths);
        m_dialogs.files = chosen;
        QStringList result{QStringLiteral("untouched")};
        QCOMPARE(OpenFileDialog(nullptr, ProjectFilter, QStringLiteral("*.tvp"), QStringLiteral("Open Trevolin project"),
                                QStringLiteral("/data/results"), result),
                 ok);
        QCOMPARE(result, files);
        QCOMPARE(ChosenFilePaths(result), paths);
        QCOMPARE(m_dialogs.askedTitle, QStringLiteral("Open Trevolin project"));
        QCOMPARE(m_dialogs.askedFolder, QStringLiteral("/data/results"));
        QCOMPARE(m_dialogs.askedFilter, QStringLiteral("Trevolin Projects (*.tvp)"));
        QCOMPARE(m_dialogs.askedSuffix, QStringLiteral("tvp"));
    }

    void filterStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("patterns already in the text") << "Trevolin Projects (*.tvp)" << "*.tvp" << "Trevolin Projects (*.tvp)";
        QTest::newRow("patterns added") << "PNG - Portable Network Graphics" << "*.png"
                                        << "PNG - Portable Network Graphics (*.png)";
        QTest::newRow("several patterns") << "Images" << "*.bmp;*.dib" << "Images (*.bmp *.dib)";
    }

    void filterStrings()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(QtFilterString({{text, pattern}}), expected);
    }

    void filterStringKeepsTheOrder()
    {
        const FileFilter images = {{QStringLiteral("PNG - Portable Network Graphics"), QStringLiteral("*.png")},
                                   {QStringLiteral("GIF - Graphics Interchange Format"), QStringLiteral("*.gif")}};
        QCOMPARE(QtFilterString(images), QStringLiteral("PNG - Portable Network Graphics (*.png);;"
                                                        "GIF - Graphics Interchange Format (*.gif)"));
    }

    void saveDialogResults_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("cancel keeps the proposed name") << "" << false << "sin(x)-cos(x)";
        QTest::newRow("chosen path") << "/r/sin(x)-cos(x).tvp" << true << "/r/sin(x)-cos(x).tvp";
        QTest::newRow("path ends at the first zero character")
            << QStringLiteral("/r/a.tvp") + QChar(0) + QStringLiteral("junk") << true << "/r/a.tvp";
    }

    void saveDialogResults()
    {
        QFETCH(QString, answer);
        QFETCH(bool, ok);
        QFETCH(QString, fileName);
        m_dialogs.savePath = answer;
        QString name = QStringLiteral("sin(x)-cos(x)");
        QCOMPARE(SaveFileDialog(nullptr, ProjectFilter, QStringLiteral("*.tvp"), QStringLiteral("Save"),
                                QStringLiteral("/r"), name),
                 ok);
        QCOMPARE(name, fileName);
        QCOMPARE(m_dialogs.askedProposal, QStringLiteral("/r/sin(x)-cos(x)"));
    }

    void colourDialogResults()
    {
        m_dialogs.colourAnswer = QColor();
        QCOMPARE(ColorDialog(nullptr, QColor(1, 2, 3)), QColor(1, 2, 3));
        QCOMPARE(m_dialogs.askedColour, QColor(1, 2, 3));
        m_dialogs.colourAnswer = QColor(9, 8, 7);
        QCOMPARE(ColorDialog(nullptr, QColor(1, 2, 3)), QColor(9, 8, 7));
    }

    void customColoursStartAlmostWhite()
    {
        const QList<QColor> colours = CustomColours();
        QCOMPARE(colours.size(), 16);
        for (const QColor &colour : colours)
            QCOMPARE(colour, QColor(0xFE, 0xFE, 0xFE));
    }

    void printDialogCancelLeavesThePrinter()
    {
        const QString before = CurrentPrinter().printerName();
        const int copies = CurrentPrinter().copyCount();
        m_dialogs.printAnswer = false;
        QVERIFY(!PrintDialog(nullptr));
        QCOMPARE(CurrentPrinter().printerName(), before);
        QCOMPARE(CurrentPrinter().copyCount(), copies);
        m_dialogs.printAnswer = true;
        QVERIFY(PrintDialog(nullptr));
    }

    // The real dialogs, answered as a user would.
    void realColourDialogCancelGivesTheInitialColour()
    {
        SetDialogSink(nullptr);
        answerDialog<QColorDialog>([](QColorDialog *dialog) {
            dialog->setCurrentColor(QColor(50, 60, 70));
            dialog->reject();
        });
        QCOMPARE(ColorDialog(nullptr, QColor(11, 22, 33)), QColor(11, 22, 33));
        answerDialog<QColorDialog>([](QColorDialog *dialog) {
            dialog->setCurrentColor(QColor(50, 60, 70));
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(ColorDialog(nullptr, QColor(11, 22, 33)), QColor(50, 60, 70));
    }

    void realSaveDialogShowsTheProposedName()
    {
        SetDialogSink(nullptr);
        QTemporaryDir folder;
        QString shownName;
        answerDialog<QFileDialog>([&shownName](QFileDialog *dialog) {
            if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                shownName = edit->text();
            static_cast<QDialog *>(dialog)->accept();
        });
        QString name = QStringLiteral("exp(a x)-exp(b x)+c [a=2; b=4; c=1]");
        QVERIFY(SaveFileDialog(nullptr, {{QStringLiteral("PNG - Portable Network Graphics"), QStringLiteral("*.png")}},
                               QStringLiteral("*.png"), QStringLiteral("Save graph as"), folder.path(), name));
        QCOMPARE(shownName, QStringLiteral("exp(a x)-exp(b x)+c [a=2; b=4; c=1]"));
        // A name typed without an extension gets the default one.
        QCOMPARE(name, folder.filePath(QStringLiteral("exp(a x)-exp(b x)+c [a=2; b=4; c=1].png")));
    }

    void realOpenDialogWithSeveralFiles()
    {
        SetDialogSink(nullptr);
        QTemporaryDir folder;
        for (const char *name : {"a.tvp", "b.tvp"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        answerDialog<QFileDialog>([](QFileDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            edit->setText(QStringLiteral("\"a.tvp\" \"b.tvp\""));
            static_cast<QDialog *>(dialog)->accept();
        });
        QStringList files;
        QVERIFY(OpenFileDialog(nullptr, ProjectFilter, QStringLiteral("*.tvp"), QStringLiteral("Open"), folder.path(),
                               files));
        QCOMPARE(files.size(), 3);
        QCOMPARE(QFileInfo(files.constFirst()).canonicalFilePath(), QFileInfo(folder.path()).canonicalFilePath());
        QCOMPARE(files.mid(1), (QStringList{QStringLiteral("a.tvp"), QStringLiteral("b.tvp")}));
    }
};

TREV_TEST_MAIN(TestCommonDialogs)
#include "tst_CommonDialogs.moc"
