#include "gui/library/PaletteWnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "gui/kit/ClipboardFormat.h"
#include "gui/library/PalettePropPage.h"
#include "gui/library/SymbButton.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/ObjectListData.h"
#include "model/shapes/DrawRect.h"
#include "platform/SettingsStore.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScriptedPrompt;
using testsupport::TempDir;

const std::filesystem::path kStandard = std::filesystem::path(VOSK_BINARY_DIR) / "Libraries";

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class PaletteWndTest : public ::testing::Test, WithApp {
protected:
    PaletteWndTest() {
        settings.WriteProfileString("Directories", "stdlib", kStandard.c_str());
        settings.WriteProfileString("Directories", "userlib", dir.path().c_str());
        anchor.show();
    }

    // A palette started with the settings as they are.
    std::unique_ptr<CPaletteWnd> Start(int index) {
        auto palette = std::make_unique<CPaletteWnd>(settings, nullptr);
        palette->CreatePalette(kFirstPaletteId + index);
        palette->SetFileChooser([this](bool, const QString&) { return chosen; });
        return palette;
    }

    // Answers "Palette Properties" with the values given (or as shown, for -1) and OK.
    static void AnswerProperties(int columns, int rows, int width, int height) {
        QTimer::singleShot(0, [=] {
            auto* page = qobject_cast<CPalettePropPage*>(QApplication::activeModalWidget());
            ASSERT_NE(page, nullptr);
            const std::pair<const char*, int> values[] = {
                {"columns", columns}, {"rows", rows}, {"horizontal", width}, {"vertical", height}};
            for (const auto& [name, value] : values) {
                if (value >= 0)
                    page->findChild<QSpinBox*>(name)->setValue(value);
            }
            page->accept();
        });
    }

    TempDir dir;
    SettingsStore settings{dir / "settings.reg"};
    QString chosen;
    QToolButton anchor;
};

TEST_F(PaletteWndTest, FreshStartShowsTheStandardPalettes) {
    const char* captions[] = {"Resistive", "Reactive", "Active", "Logic"};
    for (int i = 0; i < kPaletteCount; ++i) {
        auto palette = Start(i);
        EXPECT_EQ(palette->windowTitle().toStdString(), captions[i]);
        EXPECT_EQ(palette->FilePath().str(),
                  (kStandard / (std::string(captions[i]) + ".sbc")).string());
        // The first button shows its symbol: its image is not one flat colour.
        const QImage image = palette->Button(0)->Image().toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                drawn += image.pixel(x, y) != image.pixel(0, 0) ? 1 : 0;
        }
        EXPECT_GT(drawn, 10) << captions[i];
    }
    auto palette = Start(0);
    palette->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette.get()));
    EXPECT_TRUE(
        palette->grab().toImage().save(QString(VOSK_BINARY_DIR) + "/palette-resistive.png"));
}

// A stored file that is gone is forgotten; one that is there but unreadable is reported, stays
// named for the next start, and nothing is saved over it.
TEST_F(PaletteWndTest, StoredFileThatCannotBeLoaded) {
    testsupport::WriteFileBytes(dir / "bad.sbc", {1, 2, 3});
    const struct {
        std::string stored;
        std::string kept;
        size_t messages;
    } cases[] = {{(dir / "gone.sbc").string(), "", 0},
                 {(dir / "bad.sbc").string(), (dir / "bad.sbc").string(), 1}};
    for (const auto& c : cases) {
        settings.WriteProfileString("SymbBars", "Path3", c.stored.c_str());
        ScriptedPrompt prompt;
        for (size_t i = 0; i < c.messages; ++i)
            prompt.Answer(IDOK);
        auto palette = Start(2);
        ASSERT_EQ(prompt.shown().size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(prompt.shown()[0].text.str(), "File load failed: " + c.stored);
        }
        EXPECT_EQ(settings.GetProfileString("SymbBars", "Path3").str(), c.kept);
        EXPECT_EQ(palette->windowTitle(), "Palette Window");
        EXPECT_TRUE(palette->FilePath().IsEmpty());
    }
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "bad.sbc").size(), 3u);
}

TEST_F(PaletteWndTest, PropertiesArrangeTheButtonsAndTheFileRemembersThem) {
    chosen = QString::fromStdString((dir / "mine.sbc").string());
    auto palette = Start(0);
    ASSERT_TRUE(palette->NewPaletteFile(false));
    AnswerProperties(3, 2, -1, -1);
    palette->Customize();
    for (int i = 0; i < kPaletteButtonCount; ++i)
        EXPECT_EQ(palette->Button(i)->isVisibleTo(palette.get()), i < 6) << i;
    EXPECT_EQ(palette->Button(0)->pos(), QPoint(0, 10));
    EXPECT_EQ(palette->Button(1)->pos(), QPoint(30, 10));
    EXPECT_EQ(palette->Button(2)->pos(), QPoint(60, 10));
    EXPECT_EQ(palette->Button(3)->pos(), QPoint(0, 40));
    EXPECT_EQ(palette->size(), QSize(90, 70));

    // OK with the values as they are still writes the file.
    std::filesystem::remove(dir / "mine.sbc");
    AnswerProperties(-1, -1, -1, -1);
    palette->Customize();
    CPaletteFile stored;
    ASSERT_TRUE(stored.Load((dir / "mine.sbc").c_str()));
    EXPECT_EQ(stored.rows * 100 + stored.columns, 203);
    EXPECT_EQ(stored.buttons[0].objects.GetCount(),
              palette->Contents().buttons[0].objects.GetCount());

    // Keys move by a row and wrap round the visible buttons.
    palette->setWindowFlag(Qt::Tool);
    palette->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette.get()));
    EXPECT_EQ(palette->size(), QSize(90, 70));
    const struct {
        int from;
        Qt::Key key;
        int to;
    } keys[] = {{4, Qt::Key_Down, 1}, {1, Qt::Key_Up, 4}, {0, Qt::Key_Down, 3}};
    for (const auto& k : keys) {
        palette->Button(k.from)->setFocus();
        QTest::keyClick(palette->Button(k.from), k.key);
        EXPECT_EQ(palette->focusWidget(), palette->Button(k.to)) << k.from;
    }
}

// A file that cannot be read leaves the palette and its file as they were; so does a new file
// that cannot be written.
TEST_F(PaletteWndTest, FailedLoadOrNewFileKeepsTheButtons) {
    testsupport::WriteFileBytes(dir / "bad.sbc", {1, 2, 3});
    auto palette = Start(0);
    const CString path = palette->FilePath();
    const int objects = palette->Contents().buttons[0].objects.GetCount();
    const struct {
        std::filesystem::path file;
        int code;
        const char* message;
    } cases[] = {{dir / "bad.sbc", kPaletteCodeLoadFile, "File load failed"},
                 {dir / "none" / "new.sbc", kPaletteCodeNewFile, "File save failed"}};
    for (const auto& c : cases) {
        chosen = QString::fromStdString(c.file.string());
        ScriptedPrompt prompt({IDOK});
        palette->OnCommand(0, c.code);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, c.message);
        EXPECT_EQ(palette->FilePath(), path);
        EXPECT_EQ(palette->Contents().buttons[0].objects.GetCount(), objects);
    }
    chosen = QString::fromStdString((dir / "empty.sbc").string());
    ASSERT_TRUE(palette->NewPaletteFile(true));
    EXPECT_TRUE(palette->Contents().buttons[0].objects.IsEmpty());
    EXPECT_EQ(palette->windowTitle(), "empty");
    EXPECT_EQ(settings.GetProfileString("SymbBars", "Path1").str(), (dir / "empty.sbc").string());
}

// The file choosers start in the user's library folder, also when an older program stored it
// in the Western code page ("B\xFC" is "Bü") rather than in UTF-8.
TEST_F(PaletteWndTest, FileChoosersStartInTheUserLibraryFolder) {
    settings.WriteProfileString("Directories", "userlib",
                                (dir.path().string() + "/B\xFC"
                                                       "cher")
                                    .c_str());
    auto palette = Start(0);
    QStringList folders;
    palette->SetFileChooser([&folders](bool, const QString& folder) {
        folders << folder;
        return QString();
    });
    EXPECT_FALSE(palette->OpenPaletteFile());
    EXPECT_FALSE(palette->NewPaletteFile(true));
    const QString expected = QString::fromStdString(dir.path().string()) + QString::fromUtf8(
                                                                               "/B\xC3\xBC"
                                                                               "cher");
    EXPECT_EQ(folders, QStringList({expected, expected}));
}

// A width typed out of range is refused on OK with the range message; the page stays open
// and the palette keeps its width.
TEST_F(PaletteWndTest, PropertiesRefuseAWidthOutOfRange) {
    chosen = QString::fromStdString((dir / "mine.sbc").string());
    auto palette = Start(0);
    ASSERT_TRUE(palette->NewPaletteFile(false));
    ScriptedPrompt prompt({IDOK});
    bool stayedOpen = false;
    QTimer::singleShot(0, [&stayedOpen] {
        auto* page = qobject_cast<CPalettePropPage*>(QApplication::activeModalWidget());
        ASSERT_NE(page, nullptr);
        auto* width = page->findChild<QSpinBox*>("horizontal");
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, "9");
        page->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        stayedOpen = page->isVisible();
        page->reject();
    });
    palette->Customize();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Please enter an integer between 10 and 150.");
    EXPECT_EQ(palette->Contents().buttonWidth, 30);
}

// A save whose writing fails says so before the save failure; one that cannot open its file
// says only that the save failed.
TEST_F(PaletteWndTest, FailedWriteIsToldApartFromAFileThatCannotBeOpened) {
    chosen = QString::fromStdString((dir / "mine.sbc").string());
    auto palette = Start(0);
    ASSERT_TRUE(palette->NewPaletteFile(false));
    {
        ScriptedPrompt prompt({IDOK, IDOK});
        testsupport::TinyFileSizeLimit full;
        palette->OnCommand(0, kPaletteCodeChanged);
        ASSERT_EQ(prompt.shown().size(), 2u);
        EXPECT_EQ(prompt.shown()[0].text, "Palette file save failed");
        EXPECT_EQ(prompt.shown()[1].text, "File save failed");
    }
    std::filesystem::remove(dir / "mine.sbc");
    std::filesystem::create_directory(dir / "mine.sbc");
    ScriptedPrompt prompt({IDOK});
    palette->OnCommand(0, kPaletteCodeChanged);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "File save failed");
}

// A click places the button's objects and ends the drop-down, an empty button only ends it;
// a drag from the caption strip leaves the palette floating.
TEST_F(PaletteWndTest, DropDownPlacesOrTearsOff) {
    auto palette = Start(0);
    std::vector<const CObList*> placed;
    QObject::connect(palette.get(), &CPaletteWnd::placeObjects,
                     [&](const CObList& objects) { placed.push_back(&objects); });
    for (int button : {29, 0}) {
        QTimer::singleShot(0, [&] { QTest::mouseClick(palette->Button(button), Qt::LeftButton); });
        EXPECT_EQ(palette->TrackDropDown(&anchor), CPaletteWnd::kDropDownEnded);
        EXPECT_FALSE(palette->isVisible());
    }
    ASSERT_EQ(placed.size(), 1);
    EXPECT_EQ(placed[0], &palette->Contents().buttons[0].objects);

    QTimer::singleShot(0, [&] {
        QTest::mousePress(palette.get(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(palette.get(), QPoint(40, 60));
        QTest::mouseRelease(palette.get(), Qt::LeftButton, {}, QPoint(40, 60));
    });
    EXPECT_EQ(palette->TrackDropDown(&anchor), CPaletteWnd::kDropDownTornOff);
    EXPECT_TRUE(palette->IsFloating());
    EXPECT_TRUE(palette->isVisible());
    EXPECT_EQ(palette->size(), QSize(150, 180));
}

// The menu of a button offers "&Paste" only while the clipboard holds drawing objects; pasting
// puts them into the button and saves the palette's file.
TEST_F(PaletteWndTest, PasteFillsTheButtonFromTheClipboard) {
    chosen = QString::fromStdString((dir / "mine.sbc").string());
    auto palette = Start(0);
    ASSERT_TRUE(palette->NewPaletteFile(true));
    CSymbButton* button = palette->Button(3);
    // Opens the button's menu and answers it: whether Paste was enabled, after choosing it.
    const auto choosePaste = [button] {
        bool enabled = false;
        QTimer::singleShot(0, [&enabled] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                if (action->text() == "&Paste") {
                    enabled = action->isEnabled();
                    action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                button->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(button, &event);
        QApplication::processEvents();
        return enabled;
    };

    QApplication::clipboard()->setText("not objects");
    EXPECT_FALSE(choosePaste());
    QApplication::clipboard()->clear();
    EXPECT_FALSE(choosePaste());
    button->OnPaste();  // as if the menu had been opened before the clipboard was emptied
    EXPECT_EQ(palette->Contents().buttons[3].objects.GetCount(), 0);

    CDrawDoc doc;
    auto rect = std::make_unique<CDrawRect>(CRect(0, 0, 300, -100));
    CObList selection;
    selection.AddTail(rect.get());
    ASSERT_TRUE(doc.AddObject(std::move(rect)));
    const ClipboardObjects copied = CopyObjectsToClipboard(doc, selection);
    auto* data = new QMimeData;
    data->setData(WindowsMimeType(copied.format),
                  QByteArray(reinterpret_cast<const char*>(copied.data.data()),
                             qsizetype(copied.data.size())));
    QApplication::clipboard()->setMimeData(data);
    EXPECT_TRUE(choosePaste());
    ASSERT_EQ(palette->Contents().buttons[3].objects.GetCount(), 1);

    CPaletteFile stored;
    ASSERT_TRUE(stored.Load((dir / "mine.sbc").c_str()));
    ASSERT_EQ(stored.buttons[3].objects.GetCount(), 1);
    auto* pasted = dynamic_cast<CDrawRect*>(stored.buttons[3].objects.GetHead());
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetPosition(), CRect(0, 0, 300, -100));
}

}  // namespace
