#pragma once
// The channel view as the shell sees it.

#ifndef QX260_PLACEHOLDER_VIEW
#include "editor/CProgramView.h"
#else
// Stand-in until the channel window is part of the build: same interface, no grid.
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "radio/CProgramDoc.h"

class CProgramView : public QWidget {
    Q_OBJECT
public:
    explicit CProgramView(qx260::CProgramDoc& doc, QWidget* parent = nullptr)
        : QWidget(parent), doc_(doc) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("CH  Rx Frequency  QT/DQT Dec  W/N  Scan"), this));
    }
    qx260::CProgramDoc& document() { return doc_; }
    void OnInitialUpdate() {}
    bool commitCellEdit(bool) { return true; }
    void encodeTable() {}
    QSize sizeHint() const override { return {600, 330}; }
public slots:
    void OnRead() {}
    void OnWrite() {}
    void OnComSetup() {}
    void OnFilePrint() {}
    void OnFilePrintDirect() {}
    void OnFilePrintPreview() {}
signals:
    void documentModified();
    void helpRequested(int topic);

private:
    qx260::CProgramDoc& doc_;
};
#endif
