// The module's static objects, built in this order when the module loads: the module object, the
// control's class object, the page's class object (each joins the head of the class-object list,
// so the page's comes first), and last the attachment that runs InitInstance.
#include "signing/SigningApp.h"

#include "signing/SigningCtrl.h"
#include "signing/SigningPropPage.h"
#include "signing/identities.h"

CSigningApp theApp;

CSigningCtrl::CSigningCtrlFactory CSigningCtrl::factory(signing_ids::kControlClsid, RUNTIME_CLASS(CSigningCtrl),
                                                        signing_ids::kControlProgId);
CSigningPropPage::CSigningPropPageFactory CSigningPropPage::factory(signing_ids::kPropPageClsid,
                                                                    RUNTIME_CLASS(CSigningPropPage),
                                                                    signing_ids::kPropPageProgId);

namespace {
const framework::ProcessAttach attach(framework::ThisModuleState());
}

BOOL CSigningApp::InitInstance() { return COleControlModule::InitInstance(); }

int CSigningApp::ExitInstance() { return COleControlModule::ExitInstance(); }
