#pragma once
// The reminder service: watches the agenda entries for as long as the program runs and opens the
// reminder window when an entry's reminder falls due.
#include <QObject>

namespace zv {

class Aviso : public QObject {
    Q_OBJECT
public:
    explicit Aviso(QObject* parent = nullptr);
    ~Aviso() override;

    bool Activo() const { return activo_; }
    void setActivo(bool si) { activo_ = si; }
    // Starts the service; it keeps running while the program runs.
    void Iniciar();

    // The program's one service: started last by start-up, stopped and replaced by agenda
    // maintenance after a deletion.
    static Aviso* servicio();
    static void iniciarServicio();
    static void detenerServicio();

private:
    bool activo_ = false;
};

}  // namespace zv
