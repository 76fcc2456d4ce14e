#pragma once
// The clock seam: every "today" and "now" of the program comes from here, so that tests can
// stand at any moment.
#include <QDate>
#include <QDateTime>
#include <QTime>

namespace zv {

class Reloj {
public:
    virtual ~Reloj() = default;
    virtual QDateTime ahora() const { return QDateTime::currentDateTime(); }
    QDate hoy() const { return ahora().date(); }
    QTime horaActual() const { return ahora().time(); }
};

// The clock in force; the program's own unless a test installed another.
Reloj& reloj();
// Installs a clock (nullptr restores the system clock). The caller keeps ownership.
void establecerReloj(Reloj* r);

// A clock that stands still until told to move; for tests and benchmarks.
class RelojFijo : public Reloj {
public:
    explicit RelojFijo(QDateTime momento) : momento_(std::move(momento)) {}
    QDateTime ahora() const override { return momento_; }
    void fijar(const QDateTime& m) { momento_ = m; }
    void avanzar(qint64 segundos) { momento_ = momento_.addSecs(segundos); }

private:
    QDateTime momento_;
};

} // namespace zv
