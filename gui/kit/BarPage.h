#pragma once
// A page of the Workspace bar (Files, Design View, DRC). Pages get idle time and hear of
// changes to the documents; being plain widgets, Enter and Esc never close them.

#include <QString>
#include <QWidget>

// What changed: code -1 a document's contents (document given), 4 the set of open documents.
struct DocumentChange {
    int code = 0;
    void* walker = nullptr;  // the document's connectivity walker, when one is running
    void* document = nullptr;
};

class CBarPage : public QWidget {
    Q_OBJECT
public:
    explicit CBarPage(QWidget* parent = nullptr) : QWidget(parent) {}

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

    // Idle work; true when the page wants more idle time.
    virtual bool OnIdle(int count) {
        (void)count;
        return false;
    }
    virtual void OnDocumentChanged(const DocumentChange& change) { (void)change; }

private:
    QString m_caption;
};
