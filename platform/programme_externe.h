#pragma once
// Another program the user's work waits for (the e-mail client's hand-over, the office suite's
// conversion). It runs in a process group of its own, so that it can be ended together with every
// program it starts in turn; it is waited for while the windows keep answering, and no wait on it
// outlasts the end of the session by more than a few seconds.

#include <QProcess>
#include <QString>
#include <QStringList>

class ProgrammeExterne {
public:
    ProgrammeExterne();
    // A program still running is ended, with its own children.
    ~ProgrammeExterne();
    ProgrammeExterne(const ProgrammeExterne&) = delete;
    ProgrammeExterne& operator=(const ProgrammeExterne&) = delete;

    // Set its input, channels and environment before it starts.
    QProcess& processus() { return processus_; }

    // Starts the program (no shell); false when it could not be started within the delay.
    bool demarrer(const QString& programme, const QStringList& arguments, int delaiMs = 30000);

    enum class Fin {
        Terminee, // it ended by itself: its exit status and code tell how
        Delai,    // still running when the longest wait passed
        Arret,    // still running once the session's end was asked and the grace passed
    };
    // Waits for its end while the windows keep answering: at most delaiMs (negative: no limit);
    // once the end of the session is asked, at most graceMs more.
    Fin attendre(int delaiMs, int graceMs);

    // Ends it and every process of its group: asked to end first, then killed if some are still
    // there a moment later. Returns once none of them runs any more.
    void terminer();

private:
    QProcess processus_;
    qint64 groupe_ = 0; // its process group, 0 once nothing of it may be left
};
