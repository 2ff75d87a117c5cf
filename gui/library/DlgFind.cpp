#include "gui/library/DlgFind.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "resources/CommandIds.h"

namespace {

// The boxes in the order Options reads them.
struct BoxInfo {
    const char* label;
    bool checked;
};
constexpr BoxInfo kLookIn[] = {{"&Text Boxes", true},         {"&Pin Names", true},
                               {"Pin &Attributes", false},    {"Symbol &Identifiers", true},
                               {"S&ymbol Attributes", false}, {"&Net Names", true},
                               {"N&et Attributes", false}};
constexpr BoxInfo kHow[] = {{"&Match Case", false}, {"E&xact String", false}};

// Pixels left between a found object and the dialog moved off it.
constexpr int kClearance = 8;

// window moved to lie inside screen as far as it fits.
QRect KeptOn(QRect window, const QRect& screen) {
    window.moveLeft(
        std::max(screen.left(), std::min(window.left(), screen.right() - window.width() + 1)));
    window.moveTop(
        std::max(screen.top(), std::min(window.top(), screen.bottom() - window.height() + 1)));
    return window;
}

qint64 CoveredArea(const QRect& window, const QRect& area) {
    const QRect covered = window.intersected(area);
    return qint64(covered.width()) * covered.height();
}

// Where a window of frame rectangle window goes to leave found uncovered: beside it within
// screen, below, above, right or left in that order of preference, or where it covers least.
QPoint ClearPlacement(const QRect& window, const QRect& found, const QRect& screen) {
    const QRect area = found.adjusted(-kClearance, -kClearance, kClearance, kClearance);
    const QRect candidates[] = {window.translated(0, area.bottom() + 1 - window.top()),
                                window.translated(0, area.top() - 1 - window.bottom()),
                                window.translated(area.right() + 1 - window.left(), 0),
                                window.translated(area.left() - 1 - window.right(), 0)};
    QRect best = window;
    qint64 least = CoveredArea(window, area);
    for (const QRect& candidate : candidates) {
        const QRect kept = KeptOn(candidate, screen);
        const qint64 covered = CoveredArea(kept, area);
        if (covered < least) {
            best = kept;
            least = covered;
        }
    }
    return best.topLeft();
}

}  // namespace

CDlgFind::CDlgFind(std::function<void(UINT id)> sendCommand, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_sendCommand(std::move(sendCommand)), m_text(new QLineEdit) {
    setWindowTitle("Find");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("&Search for:", m_text);
    layout->addLayout(form);
    auto* lookIn = new QGroupBox("Look in");
    auto* grid = new QGridLayout(lookIn);
    for (const BoxInfo& info : kLookIn) {
        const int index = int(m_boxes.size());
        grid->addWidget(AddBox(info.label, info.checked), index / 2, index % 2);
    }
    layout->addWidget(lookIn);
    for (const BoxInfo& info : kHow)
        layout->addWidget(AddBox(info.label, info.checked));
    auto* buttons = new QDialogButtonBox;
    m_findNext = buttons->addButton("&Find Next", QDialogButtonBox::ActionRole);
    auto* highlight = buttons->addButton("&Highlight All", QDialogButtonBox::ActionRole);
    auto* selectAll = buttons->addButton("&Select All", QDialogButtonBox::ActionRole);
    auto* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    m_findNext->setDefault(true);
    connect(m_findNext, &QPushButton::clicked, this, [this] { OnFindNext(); });
    connect(highlight, &QPushButton::clicked, this, [this] { SendAndHide(ID_FIND_HIGHLIGHT_ALL); });
    connect(selectAll, &QPushButton::clicked, this, [this] { SendAndHide(ID_FIND_SELECT_ALL); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QCheckBox* CDlgFind::AddBox(const char* label, bool checked) {
    auto* box = new QCheckBox(label);
    box->setChecked(checked);
    m_boxes.push_back(box);
    return box;
}

QCheckBox* CDlgFind::box(const char* label) const {
    for (QCheckBox* box : m_boxes) {
        if (box->text() == label)
            return box;
    }
    return nullptr;
}

void CDlgFind::ShowFind() {
    m_position.Reset();
    // A button that had the focus took over the default, and would take it again on showing
    // with the focus: the text takes the focus first, and Return in it finds again.
    m_text->setFocus();
    m_findNext->setDefault(true);
    show();
    raise();
    activateWindow();
    m_text->selectAll();
}

FindOptions CDlgFind::Options() const {
    FindOptions options;
    options.text = CString(m_text->text().toUtf8().constData());
    bool* fields[] = {&options.textBoxes,     &options.pinNames,         &options.pinAttributes,
                      &options.symbolIds,     &options.symbolAttributes, &options.netNames,
                      &options.netAttributes, &options.matchCase,        &options.exact};
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        *fields[i] = m_boxes[i]->isChecked();
    return options;
}

bool CDlgFind::HasText() const {
    return !m_text->text().isEmpty();
}

// A text edited since the last Find Next is looked for from the first object.
void CDlgFind::OnFindNext() {
    if (m_text->isModified()) {
        m_text->setModified(false);
        m_position.Reset();
    }
    m_sendCommand(ID_EDIT_FIND_NEXT);
}

void CDlgFind::MoveClearOf(const QRect& area) {
    const QRect frame = frameGeometry();
    if (!isVisible() || !frame.intersects(area))
        return;
    const QScreen* shown = screen();
    const QRect available = shown ? shown->availableGeometry() : frame.united(area);
    move(ClearPlacement(frame, area, available));
}

void CDlgFind::reject() {
    QDialog::reject();
    m_sendCommand(ID_FIND_CLOSED);
}

void CDlgFind::SendAndHide(UINT id) {
    m_sendCommand(id);
    hide();
}
