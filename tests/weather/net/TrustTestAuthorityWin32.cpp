// Adds the fake server's test certificate authority to the current user's Root store, or takes
// it out again, so that WinHTTP trusts the server's certificate as it would a real one:
//
//     weather_net_trust add|remove CA.pem
//
// Only for a Wine prefix of the tests; on Windows itself adding a root asks the user first.
#include "core/ScopedHandleWin32.h"

#include <wincrypt.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct StoreTraits {
    using Type = HCERTSTORE;
    static HCERTSTORE Invalid() { return nullptr; }
    static void Close(HCERTSTORE store) { CertCloseStore(store, 0); }
};

struct CertificateTraits {
    using Type = PCCERT_CONTEXT;
    static PCCERT_CONTEXT Invalid() { return nullptr; }
    static void Close(PCCERT_CONTEXT certificate) { CertFreeCertificateContext(certificate); }
};

// The DER bytes of the first certificate of a PEM file; empty when there is none.
std::vector<BYTE> ReadPem(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pem((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DWORD size = 0;
    if (pem.empty() || !CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()),
                                             CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
        return {};
    }
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              der.data(), &size, nullptr, nullptr)) {
        return {};
    }
    der.resize(size);
    return der;
}

bool Remove(HCERTSTORE store, const std::vector<BYTE>& der) {
    ScopedHandle<CertificateTraits> wanted(
        CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size())));
    if (!wanted.IsValid()) {
        return false;
    }
    // Deleting frees the found context, also on failure.
    for (;;) {
        PCCERT_CONTEXT found = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING,
                                                          wanted.Get(), nullptr);
        if (found == nullptr) {
            return true;
        }
        if (!CertDeleteCertificateFromStore(found)) {
            return false;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool add = argc == 3 && std::strcmp(argv[1], "add") == 0;
    const bool remove = argc == 3 && std::strcmp(argv[1], "remove") == 0;
    if (!add && !remove) {
        std::fprintf(stderr, "usage: weather_net_trust add|remove CA.pem\n");
        return 2;
    }
    const std::vector<BYTE> der = ReadPem(argv[2]);
    if (der.empty()) {
        std::fprintf(stderr, "no certificate in %s\n", argv[2]);
        return 1;
    }
    ScopedHandle<StoreTraits> store(
        CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"ROOT"));
    if (!store.IsValid()) {
        std::fprintf(stderr, "cannot open the Root store (%lu)\n", GetLastError());
        return 1;
    }
    const bool done = add ? CertAddEncodedCertificateToStore(
                                store.Get(), X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                                CERT_STORE_ADD_REPLACE_EXISTING, nullptr) != FALSE
                          : Remove(store.Get(), der);
    if (!done) {
        std::fprintf(stderr, "cannot %s the certificate (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    return 0;
}
