#include "DialTestSupport.h"

#include "model/ModelClasses.h"

HV_IMPLEMENT_SERIAL(CTestDial, CCadran, 1)

void CTestDial::Serialize(Archive& ar)
{
    if (ar.IsLoading() && ar.Context().oldFormat) {
        CCadran::Serialize(ar);
        return;
    }
    if (ar.IsLoading())
        ar.GetObjectSchema();
    ar.SerializeClass(CCadran::ClassInfoOf());
    CCadran::Serialize(ar);
}

const ClassRegistry& TestRegistry()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        RegisterModelClasses(r);
        r.Register<CTestDial>();
        return r;
    }();
    return registry;
}

std::string StoreDial(const CCadran& dial)
{
    Archive ar = Archive::ForStoring();
    ar.WriteObject(&dial);
    return ar.Bytes();
}

std::unique_ptr<CCadran> LoadDial(const std::string& bytes, bool oldFormat)
{
    Archive ar = Archive::ForLoading(bytes, TestRegistry());
    ar.Context().oldFormat = oldFormat;
    return ar.ReadObjectAs<CCadran>();
}
