#include "signing/SigningCtrl.h"
BSTR CSigningCtrl::signing(const char*, const char*) { return nullptr; }
BSTR CSigningCtrl::getCertificate() { return nullptr; }
short CSigningCtrl::xmlSigning(const char*, const char*, short) { return 0; }
