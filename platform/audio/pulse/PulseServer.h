#pragma once

#include <QString>
#include <memory>
#include <pulse/pulseaudio.h>
#include <vector>

namespace varnelo {

// One connection to the sound server (PulseAudio, or PipeWire's pulse
// server) with its own thread. Methods marked "any thread" lock the loop
// themselves; callbacks run on the server's thread.
class PulseServer {
public:
    struct Port {
        QString name;
        QString description;
    };
    struct Source {
        QString name;
        QString description;
        std::vector<Port> ports;
        QString activePort;
        pa_cvolume volume{};
    };

    // nullptr when no server can be reached.
    static std::shared_ptr<PulseServer> Connect();
    ~PulseServer();

    // GUI thread; blocking round trips to the server.
    QString ServerName();
    std::vector<Source> Sources();
    QString DefaultSource();
    void SetDefaultSource(const QString& source);
    void SetSourcePort(const QString& source, const QString& port);
    void SetSourceVolume(const QString& source, const pa_cvolume& volume);

    pa_threaded_mainloop* loop() const { return loop_; }
    pa_context* context() const { return context_; }
    bool alive() const;
    QString lastError() const;

    // Runs an operation under the loop lock and waits for it to finish.
    void wait(pa_operation* op);

private:
    PulseServer() = default;
    static void contextState(pa_context* c, void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
};

// Locks the server's loop for the scope.
class PulseLock {
public:
    explicit PulseLock(pa_threaded_mainloop* loop) : loop_(loop) {
        pa_threaded_mainloop_lock(loop_);
    }
    ~PulseLock() { pa_threaded_mainloop_unlock(loop_); }
    PulseLock(const PulseLock&) = delete;
    PulseLock& operator=(const PulseLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

} // namespace varnelo
