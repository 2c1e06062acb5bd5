// reg: read and change the registry.
#include <cstdio>
#include <exception>

#include "tools/reg/arguments.h"
#include "tools/reg/commands.h"
#include "tools/reg/messages.h"

int main(int argc, char** argv) {
    try {
        reg::Arguments args;
        std::string error;
        if (!reg::ParseArguments(argc, argv, &args, &error)) return reg::SyntaxFailed(error);
        switch (args.verb) {
            case reg::Verb::Query:
                return reg::Query(args);
            case reg::Verb::Add:
                return reg::Add(args);
            case reg::Verb::Delete:
                return reg::Delete(args);
            case reg::Verb::Help:
                break;
        }
        std::fputs(reg::kUsage, stdout);
        return 0;
    } catch (const std::exception& e) {
        return reg::Crashed(e.what());
    } catch (...) {
        return reg::Crashed("unknown exception");
    }
}
