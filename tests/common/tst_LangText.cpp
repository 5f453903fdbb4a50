// Language texts: lookups and fallbacks, the error messages, and the English file against the
// texts written in the sources.
#include "core/ErrorMessage.h"
#include "core/IniFile.h"
#include "core/LangText.h"
#include "TestEnvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString sourceFolder() { return QStringLiteral(TREV_SOURCE_DIR); }
QString englishFile() { return sourceFolder() + QStringLiteral("/lang/english.lng"); }

QString unescape(const QString &literal)
{
    QString text;
    for (int i = 0; i < literal.size(); ++i) {
        QChar c = literal.at(i);
        if (c == QLatin1Char('\\') && i + 1 < literal.size()) {
            const QChar next = literal.at(++i);
            c = next == QLatin1Char('n') ? QChar('\n') : next == QLatin1Char('t') ? QChar('\t') : next;
        }
        text += c;
    }
    return text;
}

struct Use {
    QString key;
    QString def;
    QString where;
};

// Every LangText call with a literal key and default in the programs' sources.
QList<Use> sourceUses(QStringList *unreadable)
{
    // A text argument: one or more adjacent literals, optionally inside QStringLiteral( ).
    static const QString literals = QStringLiteral(R"re((?:QStringLiteral\(|QLatin1String\()?\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\)?)re");
    static const QRegularExpression call(QStringLiteral(R"re(LangText\(\s*)re") + literals + QStringLiteral(R"re(\s*,\s*)re")
                                         + literals + QStringLiteral(R"re(\s*\))re"));
    static const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    const auto joined = [](const QString &group) {
        QString text;
        auto pieces = piece.globalMatch(group);
        while (pieces.hasNext())
            text += unescape(pieces.next().captured(1));
        return text;
    };
    static const QRegularExpression anyCall(QStringLiteral(R"re(\bLangText\()re"));
    QList<Use> uses;
    for (const QString &folder : {QStringLiteral("common"), QStringLiteral("grapher"), QStringLiteral("calculator")}) {
        QDirIterator files(sourceFolder() + QLatin1Char('/') + folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            int literalCalls = 0;
            auto matches = call.globalMatch(text);
            while (matches.hasNext()) {
                const auto match = matches.next();
                uses.append({joined(match.captured(1)), joined(match.captured(2)),
                             path.mid(sourceFolder().size() + 1)});
                ++literalCalls;
            }
            int calls = 0;
            auto all = anyCall.globalMatch(text);
            while (all.hasNext()) {
                all.next();
                ++calls;
            }
            // The declaration and definition of LangText itself are calls without literals.
            if (calls > literalCalls && !path.endsWith(QStringLiteral("LangText.h"))
                && !path.endsWith(QStringLiteral("LangText.cpp")) && unreadable)
                unreadable->append(path.mid(sourceFolder().size() + 1));
        }
    }
    return uses;
}

// The text without accelerator markers ("&&" stays a literal "&").
QString withoutAccelerator(const QString &text)
{
    QString result;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text.at(i) == QLatin1Char('&')) {
                result += QLatin1Char('&');
                continue;
            }
        }
        result += text.at(i);
    }
    return result;
}

// Keys that serve places whose defaults differ in the accelerator: the menu item "Find e&xtrema"
// and the extrema dialog "Find extrema"; "&Save project" and "Save &project"; "&OK" and "&Ok".
bool matchesEvery(const QString &key, const QString &value, const QStringList &defaults)
{
    static const QStringList sharedKeys{QStringLiteral("findextrema"), QStringLiteral("saveproject"),
                                        QStringLiteral("ok")};
    if (!sharedKeys.contains(key))
        return defaults.count(value) == defaults.size();
    const Qt::CaseSensitivity cs = key == QLatin1String("ok") ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (const QString &def : defaults) {
        if (withoutAccelerator(value).compare(withoutAccelerator(def), cs) != 0)
            return false;
    }
    return true;
}

} // namespace

class TestLangText : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_translated;

private slots:
    void initTestCase()
    {
        m_translated = m_dir.filePath(QStringLiteral("test.lng"));
        QFile file(m_translated);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Info]\nLanguage=Testish\n[Msg]\nfile=&Fichier\nErr10=Division par z\xc3\xa9ro.\nEmpty=\n");
        // The same texts padded past the size of any language file.
        QFile huge(m_dir.filePath(QStringLiteral("huge.lng")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("[Msg]\nfile=&Fichier\n") > 0);
        QVERIFY(huge.write(QByteArray(4 * 1024 * 1024, '\n')) > 0);
    }

    void cleanup() { SetLanguageFile(QString()); }

    void lookups_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("def");
        QTest::addColumn<QString>("expected");
        QTest::newRow("translated key, case of the key ignored") << "translated" << "File" << "&File" << "&Fichier";
        QTest::newRow("key missing in the file gives the default") << "translated" << "Exit" << "E&xit" << "E&xit";
        QTest::newRow("key present with an empty text gives the empty text") << "translated" << "Empty" << "x" << "";
        QTest::newRow("no language file gives the default") << "" << "File" << "&File" << "&File";
        QTest::newRow("a file that does not exist gives the default") << "missing" << "File" << "&File" << "&File";
        QTest::newRow("Info section is not a message") << "translated" << "Language" << "Lang" << "Lang";
        QTest::newRow("a file past 4 MB is not read") << "huge.lng" << "File" << "&File" << "&File";
    }

    void lookups()
    {
        QFETCH(QString, languageFile);
        QFETCH(QString, key);
        QFETCH(QString, def);
        QFETCH(QString, expected);
        if (languageFile == QLatin1String("translated"))
            SetLanguageFile(m_translated);
        else if (languageFile == QLatin1String("missing") || languageFile.endsWith(QLatin1String(".lng")))
            SetLanguageFile(m_dir.filePath(languageFile == QLatin1String("missing") ? QStringLiteral("none.lng") : languageFile));
        else
            SetLanguageFile(QString());
        QCOMPARE(LangText(key, def), expected);
    }

    void languageFileIsReadOnce()
    {
        SetLanguageFile(m_translated);
        QCOMPARE(LanguageFile(), m_translated);
        QVERIFY(IniFile::write(m_translated, QStringLiteral("Msg"), QStringLiteral("File"), QStringLiteral("changed")));
        QCOMPARE(LangText(QStringLiteral("File"), QStringLiteral("&File")), QStringLiteral("&Fichier"));
        QVERIFY(IniFile::write(m_translated, QStringLiteral("Msg"), QStringLiteral("File"), QStringLiteral("&Fichier")));
    }

    void errorMessages_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("-1 unknown name") << -1 << "Unknown function.";
        QTest::newRow("-2 closing parenthesis") << -2 << "Unexpected end of parenthesis.";
        QTest::newRow("-3 unknown character") << -3 << "Unknown characters.";
        QTest::newRow("-4 open parenthesis") << -4 << "End of parenthesis missing.";
        QTest::newRow("-16 empty parentheses") << -16 << "Missing expression between parentheses.";
        QTest::newRow("-19 refused definition") << -19 << "Expression expected.";
        QTest::newRow("-5 depth limit")
            << -5 << "The expression is nested too deeply (more than 1000 levels) or too large.";
        const QString function = QStringLiteral("Function must be followed by parenthesis.");
        for (int code : {-35, -37, -38, -39, -40, -42, -44, -45, -46, -47, -48})
            QTest::addRow("%d function name succession", code) << code << function;
        const QString operators = QStringLiteral("Operators must be followed by number, constant, function.");
        for (int code : {-20, -51, -54, -55, -58, -62})
            QTest::addRow("%d operator succession", code) << code << operators;
        QTest::newRow("31 overflow") << 31 << "Overflow.";
        QTest::newRow("32 division") << 32 << "Division by zero.";
        QTest::newRow("33 power") << 33 << "Error evaluating power function.";
        QTest::newRow("101 ln") << 101 << "Error evaluating logarithm. The argument must be > 0.";
        QTest::newRow("102 log shares the ln text") << 102 << "Error evaluating logarithm. The argument must be > 0.";
        QTest::newRow("105 arcsine") << 105 << "Error evaluating arcsine. The argument must be in [-1, 1].";
        QTest::newRow("113 hyperbolic arccosine")
            << 113 << "Error evaluating hyperbolic arccosine. The argument must be >= 1.";
        QTest::newRow("115 hyperbolic arctangent")
            << 115 << "Error evaluating hyperbolic arctangent. The argument must be in (-1, 1).";
        QTest::newRow("118 square root") << 118 << "Error evaluating square root. The argument must be >= 0.";
        const QString generic = QStringLiteral("An error occured in evaluation.");
        for (int code : {0, 1, -6, -36, -41, -43, -49, -50, -52, 30, 34, 100, 119, 32767, -32768})
            QTest::addRow("%d generic", code) << code << generic;
    }

    void errorMessages()
    {
        QFETCH(int, code);
        QFETCH(QString, expected);
        QCOMPARE(ErrorMessage(code), expected);
    }

    void everyFunctionCodeHasItsOwnText()
    {
        QStringList seen;
        for (int code = 103; code <= 118; ++code) {
            const QString text = ErrorMessage(code);
            QVERIFY2(!seen.contains(text), qPrintable(QString::number(code)));
            QVERIFY(text != ErrorMessage(0));
            seen << text;
        }
    }

    void errorMessagesFollowTheLanguage()
    {
        SetLanguageFile(m_translated);
        QCOMPARE(ErrorMessage(32), QString::fromUtf8("Division par z\xc3\xa9ro."));
        QCOMPARE(ErrorMessage(31), QStringLiteral("Overflow."));
    }

    // english.lng holds, for every text the sources look up, exactly the default written at the
    // call. A few keys serve places that put the accelerator ("&") on different letters, and
    // "OK" and "Ok" are one key; for those the words themselves must agree.
    void englishFileMatchesTheSources()
    {
        const IniFile english(englishFile());
        QCOMPARE(english.value(QStringLiteral("Info"), QStringLiteral("Language")), QStringLiteral("English"));

        QStringList unreadable;
        const QList<Use> uses = sourceUses(&unreadable);
        QVERIFY2(uses.size() > 60, "the scan found too few LangText calls");
        if (!unreadable.isEmpty())
            qInfo("LangText calls without literal texts (not checked): %s", qPrintable(unreadable.join(", ")));

        QMap<QString, QStringList> defaults;
        QMap<QString, QString> where;
        for (const Use &use : uses) {
            defaults[use.key.toLower()].append(use.def.trimmed());
            where[use.key.toLower()] = use.key + QStringLiteral(" in ") + use.where;
        }
        QStringList problems;
        for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
            const QString marker = QStringLiteral("\x01missing");
            const QString value = english.value(QStringLiteral("Msg"), it.key(), marker);
            if (value == marker)
                problems << QStringLiteral("missing: ") + where[it.key()] + QStringLiteral(" = ") + it.value().constFirst();
            else if (!matchesEvery(it.key(), value, it.value()))
                problems << QStringLiteral("differs: ") + where[it.key()] + QStringLiteral(": file \"") + value
                        + QStringLiteral("\", code \"") + it.value().join(QStringLiteral("\" / \"")) + QLatin1Char('"');
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Keys of windows that are still to come are in the file already, so translators have
    // the whole list.
    void englishFileHoldsTheWholeKeyList()
    {
        const QString keys = QStringLiteral(
            "About About1 And AxesColor BackgroundPicture BackNormal Behind Build CalcError Calculate Cancel Cascade ChangeDecimals "
            "ChangedLanguage ClickExport ClickFind ClickFindChanged ClickList ClickMore CloseAllProjects CloseProject CloseProjects "
            "CloseProjectsQuestion CopyClipboard Decimals Default Derive Derive1 Diff Diff1 Edit End EndDomain "
            "EndInterval EnterEquation EnterInterval EnterValue Error ErrorFile Evaluate Evaluate1 Exit File "
            "FileKeyMissing FileNotBoolean FileNumberRange FindExtrema FindMore FindRoots FindRoots1 FitNewProjects FitVertical GColor GeneralOptions GeneralOptions1 GPoints Graph GridColor "
            "GTitle Help1 If Integral Integrate Integrate1 IntegrateSymbolically Language Length LocalExtrema Locate "
            "MainHelp Max Maximize MaxOf Min MinOf NewProject NoExtrema NoFileManager NoProject NoRoot1 "
            "NumberDecimals NumberIntervals NumberPoints NumberPointsGraph NumberSteps OK Ok OneRoot Open OpenProject "
            "OpenTrevolinProject Options Options1 Parameters Please PrintGraph Random Roots RootsFound RunSteps Save "
            "SaveAll SaveExtrema SaveGraph SaveGraph1 SaveGraphAs SaveProject SaveProjectAs SaveRoots1 SaveRoots2 "
            "SaveRoots3 SaveTrevolinProject Select SelectAll SelectInvert SelectNone Should ShowFPrime ShowFSecond ShowGrid ShowLarger "
            "ShowSmaller Skin SliderEnd SliderHigh SliderLow Solve SolveEq SolveRandom Start StartDomain StartEnd StartInterval Support ThankYou "
            "Type TypeEnd TypeFunction TypeStart TypeValue Updates ValDer1 ValDer2 ValFun Valid WhatsNew Window "
            "Wizard XPoint ZoomIn ZoomOut Function Constant Insert ClearHistory CannotRead FileTooLarge "
            "HistoryLinesSkipped HistoryUnreadable NoIntegral TooDeep TooLarge FindRootsAutomatically ShowExtrema");
        QStringList all = keys.split(QLatin1Char(' '));
        for (int i = 1; i <= 29; ++i)
            all << QStringLiteral("Err%1").arg(i, 2, 10, QLatin1Char('0'));
        const IniFile english(englishFile());
        QStringList missing;
        for (const QString &key : all) {
            if (!english.contains(QStringLiteral("Msg"), key) || english.value(QStringLiteral("Msg"), key).isEmpty())
                missing << key;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }
};

TREV_TEST_MAIN(TestLangText)
#include "tst_LangText.moc"
