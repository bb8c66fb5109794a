// The configuration report: the gateway's identity, the date, and every
// section page as it shows the configuration (captions and displayed values in
// the loaded language; the routing tables as tables of the rows in use),
// PINs and passwords as asterisks. HTML from the page declarations without
// widgets; PDF through Qt's text document and PDF writer.
#pragma once

#include <string>
#include <string_view>

class CLanguage;
class CParameters;

namespace kw::report {

// What a PIN or a password shows as.
inline constexpr std::string_view kHidden = "********";

// Whether a parameter holds a PIN or a password.
bool IsSecret(std::string_view param);

// The report as a UTF-8 HTML page; `created` is the date and time shown.
std::string BuildHtml(const CParameters& parameters, const CLanguage& language,
                      const std::string& created);

// Writes the HTML as a PDF file (A4); false when it cannot be written. Needs
// a QGuiApplication.
bool WritePdf(const std::string& html, const std::string& file);

} // namespace kw::report
