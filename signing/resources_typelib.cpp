// TYPELIB 1: the library SIGNINGLib with the dispatch interface, the event interface and the
// control's coclass.
#include "signing/identities.h"
#include "signing/resources.h"

namespace signing_resources {
namespace {

using namespace signing_ids;
using com::InterfaceDesc;
using com::InterfaceKind;
using com::MemberDesc;
using com::ParamDesc;

const ParamDesc kSignParams[] = {{"datatobesign", VT_BSTR}, {"alg", VT_BSTR}};
const ParamDesc kXmlSignParams[] = {{"datatobesign", VT_BSTR}, {"alg", VT_BSTR}, {"signLength", VT_I2}};

const MemberDesc kMembers[] = {
    {dispidSigning, "signing", VT_BSTR, com::List(kSignParams), nullptr},
    {dispidGetCertificate, "getCertificate", VT_BSTR, {}, nullptr},
    {dispidOpenSession, "openSession", VT_BOOL, {}, nullptr},
    {dispidCloseSession, "closeSession", VT_BOOL, {}, nullptr},
    {dispidGetErrorCode, "getErrorCode", VT_BSTR, {}, nullptr},
    {dispidFinalize, "finalize", VT_BOOL, {}, nullptr},
    {dispidEndSession, "endSession", VT_BOOL, {}, nullptr},
    {dispidXmlSigning, "xmlSigning", VT_I2, com::List(kXmlSignParams), nullptr},
    {DISPID_ABOUTBOX, "AboutBox", VT_EMPTY, {}, nullptr},
};

const com::ImplementedDesc kImplemented[] = {
    {&kDispatchIid, com::IMPLTYPEFLAG_FDEFAULT},
    {&kEventsIid, com::IMPLTYPEFLAG_FDEFAULT | com::IMPLTYPEFLAG_FSOURCE},
};

}  // namespace

const com::TypeLibDesc& TypeLibrary() {
    static const InterfaceDesc interfaces[] = {
        {"_DSigning", &kDispatchIid, InterfaceKind::Dispatch, com::TYPEFLAG_FHIDDEN | com::TYPEFLAG_FDISPATCHABLE,
         "Dispatch interface for Signing Control", com::List(kMembers)},
        {"_DSigningEvents", &kEventsIid, InterfaceKind::Dispatch, com::TYPEFLAG_FDISPATCHABLE,
         "Event interface for Signing Control", {}},
    };
    static const com::CoclassDesc coclasses[] = {
        {"signing", &kControlClsid, com::TYPEFLAG_FCANCREATE | com::TYPEFLAG_FCONTROL, "Signing Control",
         com::List(kImplemented)},
    };
    static const com::TypeLibDesc library{"SIGNINGLib", &kTypeLibId, kVerMajor, kVerMinor, 0x0409,
                                          com::LIBFLAG_FCONTROL, "Signing ActiveX Control module", "Signing.hlp",
                                          com::List(interfaces), com::List(coclasses)};
    return library;
}

}  // namespace signing_resources
