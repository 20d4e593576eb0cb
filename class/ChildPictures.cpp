#include "ChildPictures.h"

#include <algorithm>

static void initResources()
{
    // The pictures live in a static library; this keeps them linked in.
    static const bool done = [] {
        Q_INIT_RESOURCE(bambini);
        return true;
    }();
    Q_UNUSED(done)
}

namespace ChildPictures {

namespace {

ChildPicture picture(const char *key, const char *spoken)
{
    const QString k = QLatin1String(key);
    return {k, QStringLiteral(":/bambini/") + k + QStringLiteral(".svg"),
            QString::fromUtf8(spoken)};
}

} // namespace

const QList<ChildPicture> &all()
{
    initResources();
    // Neighbours differ in colour and shape, so that the first children of a
    // small class already have pictures easy to tell apart.
    static const QList<ChildPicture> pictures = {
        picture("gatto", "gatto"),
        picture("mela", "mela"),
        picture("pesce", "pesce"),
        picture("stella", "stella"),
        picture("coccinella", "coccinella"),
        picture("albero", "albero"),
        picture("farfalla", "farfalla"),
        picture("casa", "casa"),
        picture("pulcino", "pulcino"),
        picture("ombrello", "ombrello"),
        picture("cane", "cane"),
        picture("luna", "luna"),
        picture("rana", "rana"),
        picture("fragola", "fragola"),
        picture("pinguino", "pinguino"),
        picture("sole", "sole"),
        picture("coniglio", "coniglio"),
        picture("uva", "uva"),
        picture("barca", "barca"),
        picture("tartaruga", "tartaruga"),
        picture("palloncino", "palloncino"),
        picture("gufo", "gufo"),
        picture("banana", "banana"),
        picture("trenino", "trenino"),
        picture("elefante", "elefante"),
        picture("carota", "carota"),
        picture("nuvola", "nuvola"),
        picture("maialino", "maialino"),
        picture("fungo", "fungo"),
        picture("chiave", "chiave"),
        picture("ape", "ape"),
        picture("pera", "pera"),
        picture("aquilone", "aquilone"),
        picture("lumaca", "lumaca"),
        picture("ciliegie", "ciliegie"),
        picture("fiore", "fiore"),
    };
    return pictures;
}

const ChildPicture *find(const QString &key)
{
    const QList<ChildPicture> &pictures = all();
    const auto it = std::find_if(pictures.begin(), pictures.end(),
                                 [&](const ChildPicture &p) { return p.key == key; });
    return it == pictures.end() ? nullptr : &*it;
}

} // namespace ChildPictures
