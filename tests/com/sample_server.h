// Identities of the test server's class (sample_server.cpp), shared with the tests.
#pragma once

inline constexpr const char* kSampleClsid = "{5C7D2E10-3A4B-4C5D-8E9F-0A1B2C3D4E5F}";
inline constexpr const char* kSampleProgId = "ComTest.Sample";
