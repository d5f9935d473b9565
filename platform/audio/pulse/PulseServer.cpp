#include "platform/audio/pulse/PulseServer.h"

#include "platform/core/AppError.h"

namespace varnelo {

namespace {

struct SourceQuery {
    pa_threaded_mainloop* loop;
    std::vector<PulseServer::Source> sources;
};

struct ServerQuery {
    pa_threaded_mainloop* loop;
    QString name, defaultSource;
};

// The answer of a request that only succeeds or fails.
struct SuccessQuery {
    pa_threaded_mainloop* loop;
    bool success = false;
};

void answered(pa_context*, int success, void* data) {
    auto* q = static_cast<SuccessQuery*>(data);
    q->success = success != 0;
    pa_threaded_mainloop_signal(q->loop, 0);
}

} // namespace

std::shared_ptr<PulseServer> PulseServer::Connect() {
    std::shared_ptr<PulseServer> server(new PulseServer);
    server->loop_ = pa_threaded_mainloop_new();
    if (!server->loop_)
        return nullptr;
    server->context_ = pa_context_new(pa_threaded_mainloop_get_api(server->loop_), "Varnelo");
    if (!server->context_)
        return nullptr;
    pa_context_set_state_callback(server->context_, &PulseServer::contextState, server.get());
    PulseLock lock(server->loop_);
    if (pa_threaded_mainloop_start(server->loop_) < 0)
        return nullptr;
    if (pa_context_connect(server->context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return nullptr;
    while (true) {
        const pa_context_state_t state = pa_context_get_state(server->context_);
        if (state == PA_CONTEXT_READY)
            return server;
        if (!PA_CONTEXT_IS_GOOD(state))
            return nullptr;
        pa_threaded_mainloop_wait(server->loop_);
    }
}

PulseServer::~PulseServer() {
    if (loop_)
        pa_threaded_mainloop_stop(loop_);
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (loop_)
        pa_threaded_mainloop_free(loop_);
}

void PulseServer::contextState(pa_context* c, void* self) {
    // Streams see a lost connection through their own state; this only wakes waiters.
    (void)c;
    auto* server = static_cast<PulseServer*>(self);
    pa_threaded_mainloop_signal(server->loop_, 0);
}

bool PulseServer::alive() const {
    PulseLock lock(loop_);
    return pa_context_get_state(context_) == PA_CONTEXT_READY;
}

QString PulseServer::lastError() const {
    return QString::fromUtf8(pa_strerror(pa_context_errno(context_)));
}

void PulseServer::wait(pa_operation* op) {
    if (!op)
        throw AppError(QStringLiteral("The sound server refused a request: %1").arg(lastError()));
    while (pa_operation_get_state(op) == PA_OPERATION_RUNNING)
        pa_threaded_mainloop_wait(loop_);
    pa_operation_unref(op);
}

// The server's name and its default source, in one round trip.
static ServerQuery queryServer(PulseServer& server) {
    ServerQuery q{server.loop(), {}, {}};
    PulseLock lock(server.loop());
    server.wait(pa_context_get_server_info(
        server.context(),
        [](pa_context*, const pa_server_info* info, void* data) {
            auto* q = static_cast<ServerQuery*>(data);
            if (info) {
                q->name = QString::fromUtf8(info->server_name) + QStringLiteral(" on ") +
                          QString::fromUtf8(info->host_name);
                if (info->default_source_name)
                    q->defaultSource = QString::fromUtf8(info->default_source_name);
            }
            pa_threaded_mainloop_signal(q->loop, 0);
        },
        &q));
    return q;
}

QString PulseServer::ServerName() {
    return queryServer(*this).name;
}

QString PulseServer::DefaultSource() {
    return queryServer(*this).defaultSource;
}

std::vector<PulseServer::Source> PulseServer::Sources() {
    SourceQuery q{loop_, {}};
    PulseLock lock(loop_);
    wait(pa_context_get_source_info_list(
        context_,
        [](pa_context*, const pa_source_info* info, int eol, void* data) {
            auto* q = static_cast<SourceQuery*>(data);
            if (eol || !info) {
                pa_threaded_mainloop_signal(q->loop, 0);
                return;
            }
            Source s;
            s.name = QString::fromUtf8(info->name);
            s.description = QString::fromUtf8(info->description);
            s.volume = info->volume;
            for (uint32_t i = 0; i < info->n_ports; ++i)
                s.ports.push_back({QString::fromUtf8(info->ports[i]->name),
                                   QString::fromUtf8(info->ports[i]->description)});
            if (info->active_port)
                s.activePort = QString::fromUtf8(info->active_port->name);
            q->sources.push_back(std::move(s));
        },
        &q));
    return q.sources;
}

void PulseServer::SetDefaultSource(const QString& source) {
    SuccessQuery q{loop_};
    PulseLock lock(loop_);
    wait(pa_context_set_default_source(context_, source.toUtf8().constData(), answered, &q));
    if (!q.success)
        throw AppError(QStringLiteral("The sound server cannot record from \"%1\": %2")
                           .arg(source, lastError()));
}

void PulseServer::SetSourcePort(const QString& source, const QString& port) {
    SuccessQuery q{loop_};
    PulseLock lock(loop_);
    wait(pa_context_set_source_port_by_name(context_, source.toUtf8().constData(),
                                            port.toUtf8().constData(), answered, &q));
    if (!q.success)
        throw AppError(QStringLiteral("The sound server cannot switch \"%1\" to the input "
                                      "\"%2\": %3")
                           .arg(source, port, lastError()));
}

void PulseServer::SetSourceVolume(const QString& source, const pa_cvolume& volume) {
    SuccessQuery q{loop_};
    PulseLock lock(loop_);
    wait(pa_context_set_source_volume_by_name(context_, source.toUtf8().constData(), &volume,
                                              answered, &q));
    if (!q.success)
        throw AppError(QStringLiteral("The sound server cannot set the volume of \"%1\": %2")
                           .arg(source, lastError()));
}

} // namespace varnelo
