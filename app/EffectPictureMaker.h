#pragma once
// Makes the missing pictures of effects in idle time: once no picture has been asked for
// IdleDelayMs, the effect tool (`zarvo-effects pictures`, the preview engine with the
// preview's rules) runs at the lowest priority in a process of its own, so neither the list
// nor the hint ever waits for it. Each effect is tried once per run of the program: one
// whose picture cannot be taken is not tried again and again.

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QProcess;

class TEffectPictureMaker : public QObject {
    Q_OBJECT
public:
    static constexpr int IdleDelayMs = 1500;

    explicit TEffectPictureMaker(QObject* parent = nullptr);
    ~TEffectPictureMaker() override;

    // The effect file should have a picture of its present text; queued when it has none.
    void Want(const QString& effectFile);
    // The same for many files (a category listed): they are looked at in idle time, a few at
    // a time, so that listing never waits for reading them.
    void WantAll(const QStringList& effectFiles);
    // Files wait to be looked at or for their run, or a run is under way.
    bool Busy() const { return FIdle.isActive() || FRun != nullptr || !FUnlooked.isEmpty(); }

    // Files looked at in one turn of idle time, and the most one run takes.
    static constexpr int LookedAtOnce = 50;
    static constexpr int RunAtOnce = 100;

    // A picture was made for this effect file.
    std::function<void(const QString& effectFile)> OnMade;

    // The tool: ZARVO_EFFECTS_TOOL when set, else zarvo-effects of the installed folder.
    static QString ToolPath();

private:
    // Queues the file when it has no picture and was not tried with this text.
    bool Queue(const QString& effectFile);
    void IdleTime();
    void StartRun();
    void RunFinished();

    QTimer FIdle;
    QStringList FUnlooked;
    QSet<QString> FUnlookedSet;
    QStringList FQueue;
    QStringList FRunning;
    QSet<QString> FTried; // effect file + picture name: one try per text
    QProcess* FRun = nullptr;
};
