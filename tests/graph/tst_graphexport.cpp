// Graph export: the proposed file name, the format chosen by the extension, failed writes
// reported, SVG and PDF drawn as vectors, the print placement, and the clipboard copy.
#include "core/ProgramSettings.h"
#include "dialogs/GraphExportCommands.h"
#include "graph/GifWriter.h"
#include "graph/GraphExport.h"
#include "graph/GraphPane.h"
#include "ProjectTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <tuple>

using namespace ProjectTestSupport;

namespace {

// Answers the save dialog with a fixed path ("" is Cancel) and remembers what it was shown.
struct ScriptedDialogs : DialogSink {
    QString answer, proposedPath, filter, defaultSuffix;
    QStringList openFiles(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &proposed, const QString &types, const QString &suffix) override
    {
        std::tie(proposedPath, filter, defaultSuffix) = std::tie(proposed, types, suffix);
        return answer;
    }
    QColor colour(QWidget *, const QColor &) override { return {}; }
    bool print(QWidget *, QPrinter &) override { return false; }
};

// A graph window's pane with sin(x) on [-10, 10] x [-2, 2]: labels at -10, -5, 5 and 10.
struct SinePane {
    std::unique_ptr<FunctionProject> f = makeProject(QStringLiteral("sin(x)"), -10, 10);
    GraphPane pane;
    SinePane(const QSize &size, qreal ratio = 1) : pane(GraphPane::Kind::GraphWindow, size, ratio)
    {
        f->setYMin(-2);
        f->setYMax(2);
        f->setTitle(QStringLiteral("Sine wave"));
        pane.setProject(f.get());
        pane.load();
    }
};

// The first bytes that identify each kind of file.
QByteArray signature(const QString &kind)
{
    static const QMap<QString, QByteArray> signatures{
        {"png", QByteArray("\x89PNG", 4)}, {"gif", "GIF89a"}, {"bmp", "BM"}, {"tiff", QByteArray("II*\0", 4)},
        {"jpeg", "\xFF\xD8\xFF"}, {"svg", "<?xml"}, {"pdf", "%PDF-"}};
    return signatures.value(kind);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The compressed streams of a PDF (page content, fonts), decompressed.
QByteArray pdfStreams(const QByteArray &pdf)
{
    QByteArray content;
    static const QRegularExpression stream(QStringLiteral("/Filter /FlateDecode\\s*>>\\s*stream\\r?\\n"));
    for (auto it = stream.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const int start = it.next().capturedEnd();
        // qUncompress wants the size in front; a generous guess does.
        content += qUncompress(QByteArray("\x00\x10\x00\x00", 4) + pdf.mid(start, pdf.indexOf("endstream", start) - start));
    }
    return content;
}

} // namespace

class TestGraphExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { SetDialogSink(&m_dialogs); }
    void cleanup() { SetDialogSink(nullptr); }
    void proposedName_data();
    void proposedName();
    void extensionDecidesFormat_data();
    void extensionDecidesFormat();
    void gifKeepsTheMainColoursOfARichPicture();
    void saveCommand_data();
    void saveCommand();
    void svgIsVectors();
    void pdfIsVectors();
    void printedPlacement_data();
    void printedPlacement();
    void clipboardCopy_data();
    void clipboardCopy();

private:
    ScriptedDialogs m_dialogs;
    QTemporaryDir m_dir;
};

void TestGraphExport::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
    programSettings().resultsFolder = m_dir.path();
    QDir(m_dir.path()).mkpath(QStringLiteral("folder.png"));
}

void TestGraphExport::proposedName_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain function") << "sin(x)-cos(x)" << "" << "sin(x)-cos(x)";
    QTest::newRow("parameters in brackets, * as blank")
        << "exp(a*x)-exp(b*x)+c" << "a=2; b=4; c=1" << "exp(a x)-exp(b x)+c [a=2; b=4; c=1]";
    QTest::newRow("slash is no folder") << "1/x-x/2" << "" << "1%x-x%2";
}

void TestGraphExport::proposedName()
{
    QFETCH(QString, function);
    QFETCH(QString, parameters);
    QFETCH(QString, expected);
    const auto f = makeProject(function, -3, 3, parameters);
    QCOMPARE(GraphExport::proposedName(*f), expected);
}

void TestGraphExport::extensionDecidesFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");   // "" : nothing written
    QTest::addColumn<bool>("exact");     // read back pixel for pixel
    QTest::newRow("png") << "graph.png" << "png" << true;
    QTest::newRow("gif") << "graph.gif" << "gif" << true;
    QTest::newRow("bmp") << "graph.bmp" << "bmp" << true;
    QTest::newRow("tiff") << "graph.tiff" << "tiff" << true;
    QTest::newRow("short tif, upper case") << "GRAPH.TIF" << "tiff" << true;
    QTest::newRow("jpg finds jpeg") << "graph.jpg" << "jpeg" << false;
    QTest::newRow("part of an extension: .b") << "graph.b" << "bmp" << true;
    QTest::newRow("svg") << "graph.svg" << "svg" << false;
    QTest::newRow("pdf") << "graph.pdf" << "pdf" << false;
    QTest::newRow("unknown extension") << "graph.xyz" << "" << false;
    QTest::newRow("no extension") << "graph" << "" << false;
    QTest::newRow("decimal point taken as extension") << "x-0.5" << "" << false;
    QTest::newRow("dot in the folder only") << "folder.png/graph" << "" << false;
}

void TestGraphExport::extensionDecidesFormat()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, exact);
    SinePane sine(QSize(300, 200));
    const QString path = m_dir.filePath(name);
    const GraphExport::SaveResult result = GraphExport::save(path, *sine.f, sine.pane.surface(), {});
    QCOMPARE(result.outcome, kind.isEmpty() ? GraphExport::Outcome::UnknownType : GraphExport::Outcome::Saved);
    QCOMPARE(QFileInfo(path).isFile(), !kind.isEmpty());
    QVERIFY(fileBytes(path).startsWith(signature(kind)));
    if (exact) {
        const QImage back(path);
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), sine.pane.surface().image());
    }
}

// A picture with more colours than a GIF holds: the colours that cover it (ground, skin,
// curve) come back exactly, the many rare ones of the band at the top only close.
void TestGraphExport::gifKeepsTheMainColoursOfARichPicture()
{
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QColor skin(0xB0, 0xC4, 0xDE), curve(Qt::red);
    for (int i = 0; i < 400 * 20; ++i)
        picture.setPixel(i % 400, i / 400, qRgb(i % 256, (i * 7) % 256, i / 400 * 12));
    QPainter painter(&picture);
    painter.fillRect(0, 20, 40, 280, skin);
    painter.fillRect(40, 149, 360, 3, curve);
    painter.end();
    QByteArray bytes;
    QString reason;
    QVERIFY2(GifWriter::encode(picture, bytes, reason), qPrintable(reason));
    const QImage back = QImage::fromData(bytes, "GIF");
    QCOMPARE(back.pixelColor(300, 250), QColor(Qt::white));
    QCOMPARE(back.pixelColor(10, 250), skin);
    QCOMPARE(back.pixelColor(200, 150), curve);
    QVERIFY(std::abs(back.pixelColor(123, 7).red() - picture.pixelColor(123, 7).red()) < 40);
}

void TestGraphExport::saveCommand_data()
{
    QTest::addColumn<QString>("answer");   // the path typed in the dialog; "" is Cancel
    QTest::addColumn<QString>("kind");     // the file written; "" none
    QTest::addColumn<bool>("warned");
    QTest::newRow("tiff typed with the png type chosen") << "typed.tiff" << "tiff" << false;
    QTest::newRow("unknown extension: silent") << "typed.xyz" << "" << false;
    QTest::newRow("cancel: silent") << "" << "" << false;
    QTest::newRow("missing folder: reported") << "missing/typed.png" << "" << true;
}

void TestGraphExport::saveCommand()
{
    QFETCH(QString, answer);
    QFETCH(QString, kind);
    QFETCH(bool, warned);
    const auto f = makeProject(QStringLiteral("exp(a*x)-exp(b*x)+c"), -3, 3, QStringLiteral("a=2; b=4; c=1"));
    GraphPane pane(GraphPane::Kind::GraphWindow, QSize(200, 150));
    pane.setProject(f.get());
    pane.load();
    const QString path = answer.isEmpty() ? QString() : m_dir.filePath(answer);
    m_dialogs.answer = path;
    RecordingMessages messages;
    GraphExportCommands::saveGraph(pane, nullptr);

    QCOMPARE(m_dialogs.proposedPath, m_dir.filePath(QStringLiteral("exp(a x)-exp(b x)+c [a=2; b=4; c=1].png")));
    QCOMPARE(m_dialogs.defaultSuffix, QStringLiteral("png"));
    QVERIFY(m_dialogs.filter.startsWith(QStringLiteral("PNG - Portable Network Graphics (*.png)")));
    QVERIFY(m_dialogs.filter.endsWith(QStringLiteral("(*.tiff);;SVG - Scalable Vector Graphics (*.svg);;"
                                                     "PDF - Portable Document Format (*.pdf)")));
    QCOMPARE(QFileInfo::exists(path), !kind.isEmpty());
    QVERIFY(fileBytes(path).startsWith(signature(kind)));
    QCOMPARE(messages.shown.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(messages.shown.constFirst().section(QStringLiteral(": "), 0, 1), QStringLiteral("warning: ") + path);
        // The reason follows the sentence on its own line.
        QVERIFY(messages.texts.constFirst().section(QLatin1Char('\n'), 1).size() > 3);
    }
}

void TestGraphExport::svgIsVectors()
{
    SinePane sine(QSize(480, 360));
    const GraphSurface &picture = sine.pane.surface();
    const QVector<double> marked{-M_PI, M_PI};
    QXmlStreamReader xml(GraphExport::svg(*sine.f, picture.size(), marked));
    // Each drawing sits in a group that carries its stroke and fill: the curve red, markers blue.
    QString stroke, fill, viewBox;
    QStringList texts;
    QVector<QPointF> curve, discs;
    int images = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attribute = [&](const char *name) { return xml.attributes().value(QLatin1String(name)).toString(); };
        const QString element = xml.name().toString();
        if (element == QLatin1String("svg"))
            viewBox = attribute("viewBox");
        if (element == QLatin1String("g"))
            std::tie(stroke, fill) = std::make_tuple(attribute("stroke"), attribute("fill"));
        if (element == QLatin1String("polyline") && stroke == QLatin1String("#ff0000")) {
            for (const QString &pair : attribute("points").split(QLatin1Char(' '), Qt::SkipEmptyParts))
                curve << QPointF(pair.section(QLatin1Char(','), 0, 0).toDouble(), pair.section(QLatin1Char(','), 1).toDouble());
        }
        if (element == QLatin1String("circle") && fill == QLatin1String("#0000ff"))
            discs << QPointF(attribute("cx").toDouble(), attribute("cy").toDouble());
        if (element == QLatin1String("text"))
            texts << xml.readElementText().trimmed();
        images += element == QLatin1String("image");
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(viewBox, QStringLiteral("0 0 480 360"));
    QCOMPARE(images, 0);
    for (const char *label : {"-10", "-5", "5", "10", "Sine wave"})
        QVERIFY2(texts.contains(QLatin1String(label)), qPrintable(texts.join(QLatin1Char('|'))));
    // The red curve is sin(x), point by point in the picture's own coordinates.
    QVERIFY(curve.size() > 150);
    for (const QPointF &point : curve)
        QVERIFY(std::fabs(picture.worldY(point.y()) - std::sin(picture.worldX(point.x()))) < 0.01);
    // A disc on the axis at each marked root, where the window's marker sits.
    QCOMPARE(discs.size(), 2);
    for (int i = 0; i < 2; ++i)
        QVERIFY((discs.at(i) - picture.toPixel(marked.at(i), 0)).manhattanLength() < 0.01);
}

void TestGraphExport::pdfIsVectors()
{
    SinePane sine(QSize(480, 360));
    const QByteArray pdf = GraphExport::pdf(*sine.f, QSize(480, 360), {M_PI});
    QVERIFY(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    // The cross-reference table is where the trailer says.
    const int offset = pdf.mid(pdf.lastIndexOf("startxref") + 9).trimmed().split('\n').constFirst().trimmed().toInt();
    QVERIFY(pdf.mid(offset).startsWith("xref"));
    // One page of the picture's size at 96 per inch (360 x 270 points), without any bitmap.
    QCOMPARE(pdf.count("/Type /Page\n"), 1);
    QVERIFY(pdf.contains("/MediaBox [0 0 360.000000 270.000000]"));
    QVERIFY(!pdf.contains("/Subtype /Image"));
    // Labels and title are text objects, the red curve one long stroked path.
    const QByteArray content = pdfStreams(pdf);
    QVERIFY(content.count("BT\n") >= 9 && content.contains(" Tj"));
    const int red = content.indexOf("1 0 0 SCN");
    QVERIFY(red > 0 && content.mid(red).count(" l\n") > 150);
}

void TestGraphExport::printedPlacement_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("page");   // printable area in dots
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("4:3 on a portrait page fills the width") << QSize(400, 300) << QSize(850, 1100) << 100 << 100 << QSize(850, 638);
    QTest::newRow("4:3 on a wide page fills the height") << QSize(400, 300) << QSize(1200, 800) << 100 << 100 << QSize(1067, 800);
    // 5 x 10 inches: 5 inches across (1000 dots), 3.75 inches down (375 dots).
    QTest::newRow("twice as many dots across") << QSize(400, 300) << QSize(1000, 1000) << 200 << 100 << QSize(1000, 375);
}

void TestGraphExport::printedPlacement()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, page);
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(QSize, expected);
    SinePane sine(picture);
    const QRgb ground = qRgb(0x40, 0x40, 0x40);
    QImage printed(page, QImage::Format_RGB32);
    printed.fill(ground);
    printed.setDotsPerMeterX(qRound(dpiX / 0.0254));
    printed.setDotsPerMeterY(qRound(dpiY / 0.0254));
    QVERIFY(GraphExport::print(printed, *sine.f, sine.pane.surface(), {}));
    QRect drawn;
    for (int y = 0; y < printed.height(); ++y)
        for (int x = 0; x < printed.width(); ++x)
            if (printed.pixel(x, y) != ground)
                drawn |= QRect(x, y, 1, 1);
    // At the top-left corner; one dot of rounding at the far edges.
    QCOMPARE(drawn.topLeft(), QPoint(0, 0));
    QVERIFY2(std::abs(drawn.width() - expected.width()) <= 1 && std::abs(drawn.height() - expected.height()) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(drawn.width()).arg(drawn.height())));
}

void TestGraphExport::clipboardCopy_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("window picture") << QSize(364, 364) << 1.0;
    // A second copy replaces the first; on a high-density screen every pixel of the picture.
    QTest::newRow("high-density picture") << QSize(300, 200) << 2.0;
}

void TestGraphExport::clipboardCopy()
{
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    SinePane sine(size, ratio);
    GraphExportCommands::copyGraph(sine.pane);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), size * ratio);
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), sine.pane.surface().image());
}

QTEST_MAIN(TestGraphExport)
#include "tst_graphexport.moc"
