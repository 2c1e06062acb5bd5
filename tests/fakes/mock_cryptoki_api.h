// Script interface of the test Cryptoki module. Tests load the same module file the control loads
// (so both share its state) and call these to set return values, slots and objects, and to read
// the log of the Cryptoki calls it received.
#pragma once

extern "C" {
// Back to the start: no queued return values, one slot (id 11) with a token, PIN "1234",
// one private key and one certificate, 128-byte signatures, empty log, not initialised.
typedef void (*mock_p11_reset_fn)(void);
// Every later call of the function returns rv without doing anything (0: back to normal).
typedef void (*mock_p11_set_rv_fn)(const char* function, unsigned long rv);
// The next call of the function returns rv without doing anything (queued before set_rv);
// a queued 0 lets that call behave normally.
typedef void (*mock_p11_push_rv_fn)(const char* function, unsigned long rv);
// The slots that hold a token, in list order.
typedef void (*mock_p11_set_slots_fn)(const unsigned long* ids, unsigned long count);
// The next count queries of C_GetSlotList report this many slots (queued; then the real count).
typedef void (*mock_p11_push_slot_count_fn)(unsigned long count);
typedef void (*mock_p11_set_pin_fn)(const char* pin);
// How many private keys that may sign and how many certificates the token holds.
typedef void (*mock_p11_set_objects_fn)(unsigned long keys, unsigned long certificates);
typedef void (*mock_p11_set_certificate_fn)(const unsigned char* der, unsigned long length);
// The length the first C_GetAttributeValue reports (instead of the certificate's).
typedef void (*mock_p11_set_reported_cert_length_fn)(unsigned long length);
typedef void (*mock_p11_set_signature_length_fn)(unsigned long length);
// One line per call, in order, e.g. "C_Login(session=85,user=1,pin=31323334,len=4)".
typedef const char* (*mock_p11_log_fn)(void);
typedef void (*mock_p11_clear_log_fn)(void);
}
