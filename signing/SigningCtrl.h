// CSigningCtrl: the token signing control. All of its function is in the dispatch methods below;
// the state they work on is the process-wide token context, never the instance.
#pragma once

#include "platform/com/types.h"

class CSigningCtrl {
public:
    // _DSigning
    BSTR signing(const char* datatobesign, const char* alg);
    BSTR getCertificate();
    BOOL openSession();
    BOOL closeSession();
    BSTR getErrorCode();
    BOOL finalize();
    BOOL endSession();
    short xmlSigning(const char* datatobesign, const char* alg, short signLength);
    void AboutBox();

private:
    // The last stage of openSession: ask for the PIN and log the user in.
    BOOL Login();
};
