#include "app/frmpresentacion.h"

#include "data/aplicacion.h"
#include "ui/iconos.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// The maker's logo: a simple mark drawn by the program.
QPixmap logoTessaro() {
    QPixmap p(96, 40);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(0x1f, 0x4e, 0x79));
    g.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i)
        g.drawRect(4 + i * 10, 8 + i * 6, 8, 24 - i * 6);
    g.setPen(QColor(0x1f, 0x4e, 0x79));
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(16);
    g.setFont(f);
    g.drawText(QRect(38, 0, 58, 40), Qt::AlignVCenter, u"Tessaro"_s);
    return p;
}

} // namespace

FrmPresentacion::FrmPresentacion() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(u"frmPresentacion"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    auto* marco = new QFrame(this);
    marco->setFrameStyle(QFrame::Box | QFrame::Raised);
    marco->setLineWidth(2);
    auto* exterior = new QVBoxLayout(this);
    exterior->setContentsMargins(0, 0, 0, 0);
    exterior->addWidget(marco);
    auto* g = new QGridLayout(marco);
    g->setContentsMargins(24, 20, 24, 16);
    g->setVerticalSpacing(6);

    auto etiqueta = [marco](const char* nombre, const QString& texto) {
        auto* l = new QLabel(texto, marco);
        l->setObjectName(QString::fromLatin1(nombre));
        return l;
    };
    auto* imgLogo = etiqueta("imgLogo", {});
    imgLogo->setPixmap(iconos::aplicacion().pixmap(64, 64));
    auto* producto = etiqueta("lblProductName", aplicacion::kTitulo);
    QFont grande = producto->font();
    grande.setPointSize(grande.pointSize() * 2 + 4);
    grande.setBold(true);
    producto->setFont(grande);
    auto* propaganda = etiqueta("lblPropaganda", u"Planee sus negocios con éxito"_s);
    QFont italica = propaganda->font();
    italica.setItalic(true);
    italica.setPointSize(italica.pointSize() + 2);
    propaganda->setFont(italica);
    auto* version = etiqueta("lblVersion", u"Version "_s + aplicacion::version());
    auto* compania = etiqueta("lblCompany", aplicacion::kCompania);
    auto* copyright = etiqueta("lblCopyright", aplicacion::kCopyright);
    auto* aviso = etiqueta(
        "lblWarning",
        u"Advertencia: este programa está protegido por las leyes de propiedad intelectual. "
        u"Queda prohibida su copia o reproducción, total o parcial, sin el consentimiento "
        u"expreso del fabricante."_s);
    aviso->setWordWrap(true);
    QFont chica = aviso->font();
    chica.setPointSize(std::max(7, chica.pointSize() - 1));
    aviso->setFont(chica);
    auto* imgTessaro = etiqueta("imgTessaro", {});
    imgTessaro->setPixmap(logoTessaro());

    g->addWidget(imgLogo, 0, 0, 2, 1, Qt::AlignTop);
    g->addWidget(producto, 0, 1);
    g->addWidget(propaganda, 1, 1);
    g->addWidget(version, 2, 1, Qt::AlignRight);
    g->addWidget(compania, 3, 1);
    g->addWidget(copyright, 4, 1);
    g->addWidget(aviso, 5, 0, 1, 2);
    g->addWidget(imgTessaro, 6, 1, Qt::AlignRight);
    setFixedWidth(460);
}

void FrmPresentacion::keyPressEvent(QKeyEvent* e) {
    // Any key closes the splash window early.
    e->accept();
    close();
}

} // namespace zv
