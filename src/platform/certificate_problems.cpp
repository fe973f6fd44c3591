#include "platform/gtk/certificate_problems.h"

namespace quillane::platform {

std::vector<std::string> certificateProblems(GTlsCertificateFlags flags)
{
    static const std::pair<GTlsCertificateFlags, const char*> named[] = {
        { G_TLS_CERTIFICATE_UNKNOWN_CA, "it is not signed by an authority this computer trusts" },
        { G_TLS_CERTIFICATE_BAD_IDENTITY, "it is for another site" },
        { G_TLS_CERTIFICATE_NOT_ACTIVATED, "it is not valid yet" },
        { G_TLS_CERTIFICATE_EXPIRED, "it has expired" },
        { G_TLS_CERTIFICATE_REVOKED, "it has been revoked" },
        { G_TLS_CERTIFICATE_INSECURE, "it uses insecure cryptography" },
        { G_TLS_CERTIFICATE_GENERIC_ERROR, "it could not be checked" },
    };
    std::vector<std::string> problems;
    for (const auto& [flag, text] : named) {
        if (flags & flag)
            problems.emplace_back(text);
    }
    if (problems.empty())
        problems.emplace_back("it could not be checked");
    return problems;
}

} // namespace quillane::platform
