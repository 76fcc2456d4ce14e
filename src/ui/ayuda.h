#pragma once
// The program's help: Spanish HTML pages shipped inside the program (resources under
// ":/ayuda/"), shown in a help window of its own. Each subsystem adds the pages of its screens;
// the contents page lists every page, ordered by its <meta name="orden"> and then its title.
#include <QString>
#include <QStringList>
#include <QWidget>

class QTextBrowser;

namespace zv {

struct PaginaAyuda {
    QString clave;  // file name without ".html": a window's name, or "inicio"
    QString titulo; // the page's <title>
    int orden = 1000;
};

namespace ayuda {
// Every help page shipped with the program, in contents order.
QList<PaginaAyuda> paginas();
// The HTML of a page; the contents page for "" or an unknown page.
QString html(const QString& clave);
bool existe(const QString& clave);
// A value the program knows only when it runs (a folder...): pages show it where they hold
// <!--valor:nombre-->...<!--/valor--> (what is between is for the page read outside the program).
void definirValor(const QString& nombre, const QString& valor);
} // namespace ayuda

// The help window: one, modeless.
class VentanaAyuda : public QWidget {
    Q_OBJECT
public:
    static void mostrar(const QString& pagina);

private:
    VentanaAyuda();
    void ir(const QString& clave);
    QTextBrowser* navegador_;
};

} // namespace zv
