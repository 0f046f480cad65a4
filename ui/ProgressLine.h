#pragma once

#include "engine/scan/Progress.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>

class QLabel;
class QPushButton;

namespace Varnik
{

// The status bar's line: while a pass runs, what it has read so far and how long it has
// taken, with a "Cancel" button; afterwards, the outcome. The line is redrawn at most
// five times a second, however often the engine reports. GUI thread only.
class ProgressLine : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressLine(QWidget* parent = nullptr);

    // A pass starts; `what` names it ("Scanning"). A search shows its hits too.
    void Start(const QString& what, bool search = false);
    void SetProgress(const Vn::Progress& progress);
    // The pass is over; the line says how it ended.
    void Finish(const QString& outcome);
    QString Text() const;
    // Says for a few seconds, beside the line, why a request was not carried out.
    void Refuse(const QString& reason);

    // 8316 grouped as the user's locale groups digits: "8,316" in English.
    static QString Number(uint64_t number);

signals:
    void CancelClicked();

private:
    void Refresh();

    QLabel* mText;
    QLabel* mRefusal;
    QTimer mRefusalTimer;
    QPushButton* mCancelBtn;
    QTimer mTimer;
    QElapsedTimer mClock;
    QString mWhat;
    bool mSearch = false;
    Vn::Progress mProgress;
};

} // namespace Varnik
