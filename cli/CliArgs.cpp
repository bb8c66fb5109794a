#include "CliArgs.h"

namespace kw::cli {

CliArgs::CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flags) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (valueOptions.count(arg) != 0) {
            if (i + 1 >= args.size())
                throw UsageError(arg + " needs a value");
            if (m_Values.count(arg) != 0)
                throw UsageError(arg + " given twice");
            m_Values[arg] = args[++i];
        } else if (flags.count(arg) != 0) {
            m_Flags.insert(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else {
            m_Positional.push_back(arg);
        }
    }
}

std::optional<std::string> CliArgs::Value(const std::string& option) const {
    auto it = m_Values.find(option);
    if (it == m_Values.end())
        return std::nullopt;
    return it->second;
}

std::string CliArgs::Required(const std::string& option) const {
    auto value = Value(option);
    if (!value)
        throw UsageError(option + " is required");
    return *value;
}

std::string CliArgs::OnlyPositional(const char* what) const {
    if (m_Positional.size() != 1)
        throw UsageError(std::string("expected one ") + what);
    return m_Positional.front();
}

void CliArgs::NoPositional() const {
    if (!m_Positional.empty())
        throw UsageError("unexpected argument " + m_Positional.front());
}

} // namespace kw::cli
