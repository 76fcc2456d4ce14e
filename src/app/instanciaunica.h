#pragma once
// One running program per database file. A lock next to the file says one is running (a lock
// left by a program that crashed is recognised as stale and taken over); a second start tells
// the running one to come forward and ends.
#include <QObject>
#include <QString>
#include <memory>

class QLockFile;
class QLocalServer;

namespace zv {

class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    explicit InstanciaUnica(const QString& rutaBaseDatos, QObject* parent = nullptr);
    ~InstanciaUnica() override;

    // True when this is the only program on the file.
    bool primera() const { return primera_; }
    // Asks the running program to come forward; false when it could not be reached.
    bool avisarALaPrimera();

Q_SIGNALS:
    void traerAlFrente();

private:
    std::unique_ptr<QLockFile> cerrojo_;
    QLocalServer* servidor_ = nullptr;
    QString nombreServidor_;
    bool primera_ = false;
};

} // namespace zv
