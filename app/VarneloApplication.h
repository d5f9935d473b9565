#pragma once

#include <QApplication>
#include <functional>

namespace varnelo {

// The application object. An error that an event handler lets escape is
// caught here and handed to the error handler (the main window's
// ApplicationEvents1Exception) instead of ending the program.
class VarneloApplication : public QApplication {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Varnelo V1.02";

    VarneloApplication(int& argc, char** argv);

    using ErrorHandler = std::function<void(const QString& message)>;
    void SetErrorHandler(ErrorHandler handler) { handler_ = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void Report(const QString& message);

    ErrorHandler handler_;
};

} // namespace varnelo
