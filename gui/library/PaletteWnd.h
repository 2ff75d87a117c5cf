#pragma once
// CPaletteWnd: a symbol palette, thirty buttons that each place a few drawing objects. It
// drops down under its toolbar button as a popup with a caption strip, from which it can be
// dragged off to float as a small tool window. Its contents come from a palette file, whose
// path the settings keep per palette ("SymbBars"/"Path1".."Path4"); every change is saved at
// once.

#include <QWidget>
#include <array>
#include <functional>

#include "library/PaletteFile.h"
#include "platform/CString.h"

class CCaptionBar;
class CSymbButton;
class QEventLoop;
class QRubberBand;
class SettingsStore;

// Window ids of the four palettes.
constexpr int kFirstPaletteId = 59405;
constexpr int kPaletteCount = 4;
// Height of the caption strip of a dropped-down palette, and of the band a drag starts in.
constexpr int kPaletteStripHeight = 10;

class CPaletteWnd : public QWidget {
    Q_OBJECT
public:
    // How a drop-down ended.
    enum DropDownResult { kDropDownCancelled = 0, kDropDownEnded = 1, kDropDownTornOff = 2 };
    // Asks for a palette file to save to (save) or to open, starting in folder; empty when the
    // user cancels.
    using FileChooser = std::function<QString(bool save, const QString& folder)>;

    CPaletteWnd(SettingsStore& settings, QWidget* owner);
    ~CPaletteWnd() override;

    // Makes the palette of window id (kFirstPaletteId + index) and loads its file: the one the
    // settings name, else the standard library's palette of that index. A named file that is
    // there but cannot be read is reported once, and the palette starts empty.
    void CreatePalette(int id);
    void SetDropDownMode();
    // Shows the palette dropped down under button until the user places, cancels or drags it
    // off; it stays only when dragged off.
    int TrackDropDown(QWidget* button);
    void RecalcLayout();

    // Loading keeps the buttons as they were when the file cannot be read.
    BOOL LoadPaletteFile(const CString& path);
    BOOL SavePaletteFile(const CString& path);
    // Asks for a file and saves the palette into it, emptied first with isNew.
    BOOL NewPaletteFile(bool isNew);
    BOOL OpenPaletteFile();
    // "Palette Properties": columns, rows and button size; OK saves the palette.
    void Customize();
    // A button's notification.
    void OnCommand(int index, int code);

    bool IsFloating() const { return m_floating; }
    const CString& FilePath() const { return m_path; }
    const CPaletteFile& Contents() const { return m_contents; }
    CSymbButton* Button(int index) const { return m_buttons[index]; }
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

signals:
    // A click on a button that holds objects: place copies of them. The palette keeps the
    // objects.
    void placeObjects(const CObList& objects);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void EndDropDown(int result);
    void Place(int index);
    void SaveChange();
    void RebuildImages();
    void ShowContents();
    // The file in use: its path remembered and in the settings, its title the caption.
    void UseFile(const CString& path);
    void SetCaption(const CString& caption);
    CString SettingsKey() const;
    QRect DragFrame(const QPoint& global) const;

    SettingsStore& m_settings;
    CPaletteFile m_contents;
    std::array<CSymbButton*, kPaletteButtonCount> m_buttons{};
    CCaptionBar* m_caption;
    QRubberBand* m_dragFrame = nullptr;
    FileChooser m_chooseFile;
    CString m_path;
    int m_index = 0;
    bool m_floating = false;
    bool m_dragging = false;
    QPoint m_dragOrigin;  // the press point in the window
    QPoint m_pressGlobal;
    QEventLoop* m_loop = nullptr;
    int m_result = kDropDownCancelled;
};
