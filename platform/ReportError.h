#pragma once
// The one error of the report engine: a template that cannot be read, a
// selection it does not understand, a database it cannot reach, or a file it
// cannot write. Every operation that fails throws it.

#include <QString>

#include <stdexcept>

namespace platform {

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

} // namespace platform
