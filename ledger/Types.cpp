#include "Types.h"

#include <memory>

bool clsHimoku::addsub(const QString& subNo, const QString& subName)
{
    if (nTekiyo.contains(subNo) || sTekiyo.contains(subName))
        return false;
    auto t = std::make_shared<clsTekiyo>(clsTekiyo{subNo, subName});
    nTekiyo.add(subNo, t);
    sTekiyo.add(subName, t);
    return true;
}

void clsHimoku::deleachsub(const QString& subNo, const QString&)
{
    for (int i = 0; i < nTekiyo.count(); ++i) {
        if (nTekiyo.at(i)->no == subNo) {
            nTekiyo.removeAt(i);
            sTekiyo.removeAt(i);
            return;
        }
    }
}

void clsHimoku::delsub()
{
    nTekiyo.clear();
    sTekiyo.clear();
}
