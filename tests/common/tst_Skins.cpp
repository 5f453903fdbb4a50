// Skins and stored colour values.
#include "gui/Colors.h"
#include "ui/Skins.h"
#include "TestEnvironment.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

// A form with one control of each kind the skins care about.
struct Form {
    QWidget *window;
    QLabel *label;
    QListWidget *list;
    QPushButton *button;
    QLineEdit *edit;
};

Form makeForm(QWidget *window)
{
    return {window, new QLabel(QStringLiteral("label"), window), new QListWidget(window),
            new QPushButton(QStringLiteral("button"), window), new QLineEdit(window)};
}

} // namespace

class TestSkins : public QObject {
    Q_OBJECT

private slots:
    void skinColours_data()
    {
        QTest::addColumn<int>("skin");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<QColor>("fore");
        // Stored values 0x00BBGGRR: red is the low byte.
        QTest::newRow("1 Blue-eyed spirit 0xEFBE89") << 1 << QColor(0x89, 0xBE, 0xEF) << QColor(Qt::black);
        QTest::newRow("2 Early grey") << 2 << QColor(0xC0, 0xC0, 0xC0) << QColor(Qt::black);
        QTest::newRow("3 Smooth paste 0xE2E2E8") << 3 << QColor(0xE8, 0xE2, 0xE2) << QColor(Qt::black);
        QTest::newRow("4 follows the selection colour, white text")
            << 4 << QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight) << QColor(Qt::white);
        QTest::newRow("5 White chocolate") << 5 << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("6 Return to nature 0xC4C400") << 6 << QColor(0x00, 0xC4, 0xC4) << QColor(Qt::black);
        QTest::newRow("7 La vie en rose 0xD2A6FF") << 7 << QColor(0xFF, 0xA6, 0xD2) << QColor(Qt::black);
        QTest::newRow("8 Wise orange 0x66B3FF") << 8 << QColor(0xFF, 0xB3, 0x66) << QColor(Qt::black);
        QTest::newRow("0 falls back to skin 1") << 0 << QColor(0x89, 0xBE, 0xEF) << QColor(Qt::black);
        QTest::newRow("9 falls back to skin 1") << 9 << QColor(0x89, 0xBE, 0xEF) << QColor(Qt::black);
    }

    void skinColours()
    {
        QFETCH(int, skin);
        QFETCH(QColor, back);
        QFETCH(QColor, fore);
        const SkinColors colors = SkinColorsFor(skin);
        QCOMPARE(colors.back, back);
        QCOMPARE(colors.fore, fore);
    }

    void skinOutsideTheTableKeepsTheCallersColours()
    {
        SkinColors colors{Qt::red, Qt::green};
        QVERIFY(!SkinColorsOf(9, colors));
        QVERIFY(!SkinColorsOf(0, colors));
        QCOMPARE(colors.back, QColor(Qt::red));
        QCOMPARE(colors.fore, QColor(Qt::green));
        QVERIFY(SkinColorsOf(2, colors));
        QCOMPARE(colors.back, QColor(0xC0, 0xC0, 0xC0));
    }

    void skinNames()
    {
        const QStringList names = SkinNames();
        QCOMPARE(names.size(), SkinCount);
        QCOMPARE(names.constFirst(), QStringLiteral("Blue-eyed spirit"));
        QCOMPARE(names.at(3), QStringLiteral("Windows style"));
        QCOMPARE(names.constLast(), QStringLiteral("Wise orange!"));
    }

    void storedColourValues_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QColor>("color");
        QTest::newRow("black") << qint32(0) << QColor(0, 0, 0);
        QTest::newRow("pure red is the low byte") << qint32(0x0000FF) << QColor(255, 0, 0);
        QTest::newRow("pure blue is the third byte") << qint32(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("mixed") << qint32(0x123456) << QColor(0x56, 0x34, 0x12);
        QTest::newRow("white") << qint32(0xFFFFFF) << QColor(255, 255, 255);
    }

    void storedColourValues()
    {
        QFETCH(qint32, value);
        QFETCH(QColor, color);
        QCOMPARE(ColorFromValue(value), color);
        QCOMPARE(ColorValue(color), value);
    }

    void systemColourValues()
    {
        const QColor highlight = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
        QCOMPARE(ColorFromValue(static_cast<qint32>(0x8000000Du)), highlight);
        QCOMPARE(ColorValue(ColorFromValue(static_cast<qint32>(0x8000000Du))), ColorValue(highlight));
    }

    void applySkinColoursEachKindOfControl()
    {
        QDialog dialog;
        const Form form = makeForm(&dialog);
        const QColor editBase = form.edit->palette().color(QPalette::Base);
        const SkinColors colors{QColor(10, 20, 30), QColor(200, 100, 50)};
        ApplySkin(&dialog, colors);
        QCOMPARE(dialog.palette().color(QPalette::Window), colors.back);
        QVERIFY(dialog.autoFillBackground());
        QCOMPARE(form.label->palette().color(QPalette::WindowText), colors.fore);
        QCOMPARE(form.list->palette().color(QPalette::Text), colors.fore);
        QCOMPARE(form.list->palette().color(QPalette::Base), colors.back);
        QCOMPARE(form.button->palette().color(QPalette::Button), colors.back);
        // Text boxes are not skinned.
        QCOMPARE(form.edit->palette().color(QPalette::Base), editBase);
    }

    void applySkinToAllWindowsReachesChildWindowsAndDialogs()
    {
        QMainWindow main;
        auto *area = new QMdiArea(&main);
        main.setCentralWidget(area);
        auto *childWidget = new QWidget;
        const Form child = makeForm(childWidget);
        area->addSubWindow(childWidget);
        QDialog dialog(&main);
        const Form dialogForm = makeForm(&dialog);

        const SkinColors colors = SkinColorsFor(7);
        ApplySkinToAllWindows(colors);
        QCOMPARE(area->background().color(), colors.back);
        QCOMPARE(childWidget->palette().color(QPalette::Window), colors.back);
        QCOMPARE(child.button->palette().color(QPalette::Button), colors.back);
        QCOMPARE(dialogForm.label->palette().color(QPalette::WindowText), colors.fore);
        QCOMPARE(dialog.palette().color(QPalette::Window), colors.back);

        const SkinColors other = SkinColorsFor(4);
        ApplySkinToAllWindows(other);
        QCOMPARE(child.label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(area->background().color(), other.back);
    }
};

TREV_TEST_MAIN(TestSkins)
#include "tst_Skins.moc"
