#pragma once
// The one error of the database access layer: every operation that fails
// throws it, with a text that says what failed and why.

#include <QString>

#include <stdexcept>

namespace platform {

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

} // namespace platform
