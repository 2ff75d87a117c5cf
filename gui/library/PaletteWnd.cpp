#include "gui/library/PaletteWnd.h"

#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>
#include <algorithm>
#include <filesystem>

#include "gui/kit/UserLibraryFolder.h"
#include "gui/library/CaptionBar.h"
#include "gui/library/PalettePropPage.h"
#include "gui/library/SymbButton.h"
#include "model/app/PathMacros.h"
#include "platform/Exception.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kDefaultFiles[kPaletteCount] = {"Resistive.sbc", "Reactive.sbc", "Active.sbc",
                                                      "Logic.sbc"};
constexpr char kSection[] = "SymbBars";
constexpr char kFilter[] = "Symbol Palette Files (*.sbc);;All Files (*)";

// Writes the palette's file. A failure while writing is told here; the caller tells that the
// save failed.
BOOL WritePalette(const CPaletteFile& palette, const CString& path) {
    const PaletteSave result = palette.Save(path);
    if (result == PaletteSave::kNotWritten)
        AfxMessageBox("Palette file save failed");
    return result == PaletteSave::kSaved;
}

QString AskForFile(bool save, const QString& folder) {
    if (save) {
        QFileDialog dialog(nullptr, QString(), folder, kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("sbc");
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    return QFileDialog::getOpenFileName(nullptr, QString(), folder, kFilter);
}

}  // namespace

CPaletteWnd::CPaletteWnd(SettingsStore& settings, QWidget* owner)
    : QWidget(owner, Qt::Popup),
      m_settings(settings),
      m_caption(new CCaptionBar(this)),
      m_chooseFile(AskForFile) {
    setWindowTitle("window");
    setAttribute(Qt::WA_NoMouseReplay);
    for (int i = 0; i < kPaletteButtonCount; ++i) {
        m_buttons[i] = new CSymbButton(i, this);
        m_buttons[i]->SetData(&m_contents.buttons[i]);
        connect(m_buttons[i], &CSymbButton::notify, this, &CPaletteWnd::OnCommand);
        m_buttons[i]->installEventFilter(this);
    }
}

CPaletteWnd::~CPaletteWnd() {
    EndDropDown(kDropDownCancelled);
    delete m_dragFrame;
}

void CPaletteWnd::CreatePalette(int id) {
    m_index = id - kFirstPaletteId;
    setObjectName(QString("palette%1").arg(m_index + 1));
    const CString standard =
        ExpandedPath(CString("$(StdLibDir)\\") + kDefaultFiles[m_index], m_settings);
    const CString path =
        FromSettingsPath(m_settings.GetProfileString(kSection, SettingsKey(), standard));
    if (!path.IsEmpty() && LoadPaletteFile(path)) {
        m_path = path;
        SetCaption(FileTitle(path));
    } else {
        // A file that is there but cannot be read now stays named for the next start, and the
        // user learns which it is.
        if (std::filesystem::exists(path.str()))
            AfxMessageBox(CString(MessageForFile("File load failed", path.str())));
        else
            m_settings.WriteProfileString(kSection, SettingsKey(), "");
        SetCaption("Palette Window");
    }
    m_floating = false;
    RecalcLayout();
    RebuildImages();
}

void CPaletteWnd::SetDropDownMode() {
    m_floating = false;
    RecalcLayout();
}

int CPaletteWnd::TrackDropDown(QWidget* button) {
    if (m_loop)
        return kDropDownCancelled;
    SetDropDownMode();
    move(button->mapToGlobal(QPoint(0, button->height())));
    QEventLoop loop;
    m_loop = &loop;
    m_result = kDropDownCancelled;
    show();
    activateWindow();
    loop.exec();
    if (m_result != kDropDownTornOff)
        hide();
    return m_result;
}

void CPaletteWnd::EndDropDown(int result) {
    if (!m_loop)
        return;
    m_result = result;
    std::exchange(m_loop, nullptr)->quit();
}

void CPaletteWnd::RecalcLayout() {
    const Qt::WindowFlags flags = m_floating ? Qt::Tool | Qt::CustomizeWindowHint |
                                                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                             : Qt::WindowFlags(Qt::Popup);
    if (windowFlags() != flags)
        setWindowFlags(flags);
    const int top = m_floating ? 0 : kPaletteStripHeight;
    const int width = m_contents.buttonWidth;
    const int height = m_contents.buttonHeight;
    m_caption->setGeometry(0, 0, m_contents.columns * width, kPaletteStripHeight);
    m_caption->setVisible(!m_floating);
    setFixedSize(m_contents.columns * width, m_contents.rows * height + top);
    for (int i = 0; i < kPaletteButtonCount; ++i) {
        m_buttons[i]->setGeometry(i % m_contents.columns * width,
                                  i / m_contents.columns * height + top, width, height);
        m_buttons[i]->setVisible(i < m_contents.rows * m_contents.columns);
    }
}

BOOL CPaletteWnd::LoadPaletteFile(const CString& path) {
    if (!m_contents.Load(path))
        return FALSE;
    ShowContents();
    return TRUE;
}

BOOL CPaletteWnd::SavePaletteFile(const CString& path) {
    for (int i = 0; i < kPaletteButtonCount; ++i) {
        m_contents.buttons[i].state.flags = m_buttons[i]->Flags() & ~kHotTrackHot;
        m_contents.buttons[i].state.text = m_buttons[i]->State().text;
    }
    m_contents.floating = m_floating;
    m_contents.position = {x(), y()};
    return WritePalette(m_contents, path);
}

BOOL CPaletteWnd::NewPaletteFile(bool isNew) {
    const QString chosen = m_chooseFile(true, UserLibraryFolder(m_settings));
    if (chosen.isEmpty())
        return FALSE;
    const CString path(chosen.toUtf8().toStdString());
    if (isNew) {
        // The buttons empty only once the empty palette is safely in its file.
        CPaletteFile empty;
        empty.caption = m_contents.caption;
        empty.rows = m_contents.rows;
        empty.columns = m_contents.columns;
        empty.buttonWidth = m_contents.buttonWidth;
        empty.buttonHeight = m_contents.buttonHeight;
        if (!WritePalette(empty, path)) {
            AfxMessageBox("File save failed");
            return FALSE;
        }
        m_contents.Swap(empty);
        ShowContents();
    } else if (!SavePaletteFile(path)) {
        AfxMessageBox("File save failed");
        return FALSE;
    }
    UseFile(path);
    return TRUE;
}

BOOL CPaletteWnd::OpenPaletteFile() {
    const QString chosen = m_chooseFile(false, UserLibraryFolder(m_settings));
    if (chosen.isEmpty())
        return FALSE;
    const CString path(chosen.toUtf8().toStdString());
    if (!LoadPaletteFile(path)) {
        AfxMessageBox("File load failed");
        return FALSE;
    }
    UseFile(path);
    RebuildImages();
    return TRUE;
}

void CPaletteWnd::Customize() {
    CPalettePropPage page(this);
    page.SetValues(m_contents.columns, m_contents.buttonWidth, m_contents.rows,
                   m_contents.buttonHeight);
    if (page.exec() != QDialog::Accepted)
        return;
    m_contents.columns = page.Columns();
    m_contents.buttonWidth = page.ButtonWidth();
    m_contents.rows = page.Rows();
    m_contents.buttonHeight = page.ButtonHeight();
    SaveChange();
    RecalcLayout();
    RebuildImages();
    if (m_floating)
        show();
}

void CPaletteWnd::OnCommand(int index, int code) {
    if (index < 0 || index >= kPaletteButtonCount)
        return;
    switch (code) {
        case kPaletteCodePlace:
            Place(index);
            break;
        case kPaletteCodeNewFile:
            NewPaletteFile(true);
            break;
        case kPaletteCodeLoadFile:
            OpenPaletteFile();
            break;
        case kPaletteCodeCustomize:
            Customize();
            break;
        case kPaletteCodeChanged:
            SaveChange();
            break;
        default:
            break;
    }
}

void CPaletteWnd::Place(int index) {
    if (!m_floating)
        EndDropDown(kDropDownEnded);
    CSymbButton* button = m_buttons[index];
    button->SetFlags(button->Flags() & ~kSymbButtonPressed);
    if (!m_contents.buttons[index].objects.IsEmpty())
        emit placeObjects(m_contents.buttons[index].objects);
}

void CPaletteWnd::SaveChange() {
    if (m_path.IsEmpty())
        NewPaletteFile(false);
    else if (!SavePaletteFile(m_path))
        AfxMessageBox("File save failed");
}

void CPaletteWnd::RebuildImages() {
    for (CSymbButton* button : m_buttons)
        button->RebuildImage();
}

void CPaletteWnd::ShowContents() {
    setWindowTitle(QString::fromUtf8(m_contents.caption.c_str()));
    for (int i = 0; i < kPaletteButtonCount; ++i)
        m_buttons[i]->SetData(&m_contents.buttons[i]);
    update();
}

void CPaletteWnd::UseFile(const CString& path) {
    m_path = path;
    m_settings.WriteProfileString(kSection, SettingsKey(), path);
    SetCaption(FileTitle(path));
}

void CPaletteWnd::SetCaption(const CString& caption) {
    m_contents.caption = caption;
    setWindowTitle(QString::fromUtf8(caption.c_str()));
}

CString CPaletteWnd::SettingsKey() const {
    CString key;
    key.Format("Path%d", m_index + 1);
    return key;
}

// ---- dragging the dropped-down palette off

QRect CPaletteWnd::DragFrame(const QPoint& global) const {
    return QRect(global - m_dragOrigin, frameGeometry().size());
}

void CPaletteWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!m_floating && event->button() == Qt::LeftButton && rect().contains(at) &&
        at.y() < kPaletteStripHeight) {
        m_dragging = true;
        m_dragOrigin = at;
        m_pressGlobal = event->globalPosition().toPoint();
        if (!m_dragFrame)
            m_dragFrame = new QRubberBand(QRubberBand::Rectangle);
        m_dragFrame->setGeometry(DragFrame(m_pressGlobal));
        m_dragFrame->show();
        return;
    }
    if (!m_floating && !rect().contains(at)) {
        EndDropDown(kDropDownEnded);
        return;
    }
    QWidget::mousePressEvent(event);
}

void CPaletteWnd::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        m_dragFrame->setGeometry(DragFrame(event->globalPosition().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CPaletteWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    m_dragFrame->hide();
    const QPoint global = event->globalPosition().toPoint();
    if (global == m_pressGlobal)
        return;
    m_floating = true;
    EndDropDown(kDropDownTornOff);
    RecalcLayout();
    move(global - m_dragOrigin);
    show();
}

// Up and Down move the focus a row, wrapping round the shown buttons.
bool CPaletteWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int step = key == Qt::Key_Down ? m_contents.columns
                     : key == Qt::Key_Up ? -m_contents.columns
                                         : 0;
    const auto focused = std::find(m_buttons.begin(), m_buttons.end(), watched);
    if (!step || focused == m_buttons.end())
        return QWidget::eventFilter(watched, event);
    const int cells = m_contents.rows * m_contents.columns;
    int next = static_cast<int>(focused - m_buttons.begin()) + step;
    if (next < 0)
        next += cells;
    else if (next >= cells)
        next -= cells;
    m_buttons[std::clamp(next, 0, kPaletteButtonCount - 1)]->setFocus();
    return true;
}

void CPaletteWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !m_floating) {
        EndDropDown(kDropDownCancelled);
        return;
    }
    QWidget::keyPressEvent(event);
}

// Outside the buttons: the commands the window menu of a floating palette would carry.
void CPaletteWnd::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction("Customize..", this, &CPaletteWnd::Customize);
    menu.addAction("Load Palette File..", this, &CPaletteWnd::OpenPaletteFile);
    menu.addAction("New Palette File..", this, [this] { NewPaletteFile(true); });
    menu.exec(event->globalPos());
}

void CPaletteWnd::hideEvent(QHideEvent* event) {
    EndDropDown(kDropDownCancelled);
    QWidget::hideEvent(event);
}
