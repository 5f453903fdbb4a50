#pragma once
// Test processes get a home folder of their own before Qt starts, so settings, documents and
// the colour dialog's memory go there and never touch the real user's files.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class PrivateHome {
public:
    PrivateHome()
    {
        const QString home = m_dir.path();
        QDir(home).mkpath(QStringLiteral("Documents"));
        QDir(home).mkpath(QStringLiteral(".config"));
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toLocal8Bit());
        // An installed copy of the programs must not count: its file type would be "defined".
        qputenv("XDG_DATA_DIRS", (home + QStringLiteral("/system-data")).toLocal8Bit());
        qunsetenv("XDG_DOCUMENTS_DIR");
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

#define TREV_TEST_MAIN(TestClass)                                                                                  \
    int main(int argc, char *argv[])                                                                               \
    {                                                                                                              \
        PrivateHome home;                                                                                          \
        QApplication app(argc, argv);                                                                              \
        TestClass test;                                                                                            \
        return QTest::qExec(&test, argc, argv);                                                                    \
    }
