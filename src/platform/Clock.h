#pragma once

#include <QDateTime>

namespace tarlok {

// The program's source of "now". Windows take today's date from here, never from QDate directly,
// so that tests can fix the day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDateTime now() const override { return m_at; }
    void set(const QDateTime& at) { m_at = at; }
    void set(const QDate& day) { m_at = QDateTime(day, m_at.time()); }

private:
    QDateTime m_at;
};

} // namespace tarlok
