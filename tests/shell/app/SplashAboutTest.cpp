#include <gtest/gtest.h>

#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "gui/support/QtTestApp.h"
#include "shell/app/AboutDlg.h"
#include "shell/app/AboutLabel.h"
#include "shell/app/AboutLink.h"
#include "shell/app/AboutProduct.h"
#include "shell/app/SplashWnd.h"
#include "support/ScriptedPrompt.h"

namespace {

// Shows the splash, as an enabled start does, and removes it again at the end of a test.
struct ShownSplash {
    ShownSplash() {
        CSplashWnd::EnableSplashScreen(true);
        CSplashWnd::ShowSplashScreen(nullptr);
    }
    ~ShownSplash() {
        CSplashWnd::EnableSplashScreen(false);
        delete CSplashWnd::Current();
    }
};

int CountPixels(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

}  // namespace

TEST(Splash, ShowsCentredWithPictureTitleAndVersionWhenEnabled) {
    QtTestApp::ensure();
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::Current(), nullptr) << "a silent start shows no splash";

    ShownSplash shown;
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE((splash->geometry().center() - screen.center()).manhattanLength(), 2);

    QImage image = splash->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(image.width(), 300);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0)) << "black frame";
    const QRect title(20, 10, 300, 50);
    EXPECT_GT(CountPixels(image, title, [](QRgb p) { return p == qRgb(0, 0, 255); }), 100);
    EXPECT_GT(CountPixels(image, title, [](QRgb p) { return p == qRgb(0, 0, 0); }), 20)
        << "black shadow";
    EXPECT_GT(CountPixels(image, QRect(25, 62, 100, 18), [](QRgb p) { return qGray(p) < 110; }), 10)
        << "version text";
}

TEST(Splash, FirstKeyOrClickOnlyClosesIt) {
    QtTestApp::ensure();
    struct Filter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            return CSplashWnd::PreTranslateAppMessage(event);
        }
    } filter;
    qApp->installEventFilter(&filter);
    QLineEdit edit;
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    {
        ShownSplash shown;
        QPointer<CSplashWnd> splash = CSplashWnd::Current();
        QTest::keyClick(&edit, Qt::Key_Y);
        QTest::keyClick(&edit, Qt::Key_X);
        EXPECT_EQ(edit.text(), "x") << "only the first key was swallowed";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull()) << "the splash window was destroyed";
    }
    ShownSplash shown;
    QTest::mouseClick(&edit, Qt::RightButton);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    qApp->removeEventFilter(&filter);
}

// The main window shows after its splash: the splash asks to stay above it, so that a window
// manager keeps it in sight for its time.
TEST(Splash, StaysAboveTheMainWindowThatShowsAfterIt) {
    QtTestApp::ensure();
    QWidget frame;
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(&frame);
    QPointer<CSplashWnd> splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->isWindow());
    ASSERT_NE(splash->windowHandle(), nullptr);
    EXPECT_TRUE(splash->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    CSplashWnd::EnableSplashScreen(false);
    delete splash.data();
}

TEST(Splash, GoesAwayByItselfAfterTwoAndAHalfSeconds) {
    QtTestApp::ensure();
    ShownSplash shown;
    QElapsedTimer clock;
    clock.start();
    // The upper bound leaves room for a loaded test machine.
    EXPECT_TRUE(QTest::qWaitFor([] { return CSplashWnd::Current() == nullptr; }, 10000));
    EXPECT_GE(clock.elapsed(), CSplashWnd::kDisplayMilliseconds - 100);
}

TEST(AboutBox, ShowsTheVersionAndAHoverLinkToTheMakersPage) {
    QtTestApp::ensure();
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Vosk Schematic");
    for (int id : {394, 353, 384, 382, 385, 383, 381})
        EXPECT_NE(about.Label(id), nullptr) << id;
    EXPECT_EQ(about.Label(382)->text(), "Version 2.0");
    EXPECT_EQ(about.Label(394)->text(), "Vosk Schematic");
    CAboutLink* link = about.Link();
    EXPECT_TRUE(link->font().underline());
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));

    // Blue under the mouse, black again soon after it leaves.
    EXPECT_EQ(link->TextColour(), QColor(Qt::black));
    QCursor::setPos(link->mapToGlobal(link->rect().center()));
    QTest::mouseMove(link, link->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->IsHot(); }, 5000));
    EXPECT_EQ(link->TextColour(), QColor(0, 0, 192));
    QTest::qWait(3 * CAboutLink::kHoverCheckMilliseconds);
    EXPECT_TRUE(link->IsHot()) << "stays blue while the mouse is over it";

    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(recorder.opened, QList<QUrl>{QUrl(kMakerHomePage)});
    // Without a web browser (none on this platform) a message says so and gives the address.
    testsupport::ScriptedPrompt prompt({IDOK});
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.str().find(kMakerHomePage), std::string::npos);

    QCursor::setPos(about.mapToGlobal(QPoint(2, 2)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->IsHot(); }, 5000));
    EXPECT_EQ(link->TextColour(), QColor(Qt::black));
}

#include "SplashAboutTest.moc"
