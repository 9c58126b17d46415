#include "cli/CliApp.h"

#include "cli/CliCommon.h"

namespace zelkit::cli {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Zelkit command-line tool: lists, extracts and edits the resource files of the Korvo games",
                 "zelkit-cli"};
    app.require_subcommand(1);
    Output io{out, err};
    addImgCommands(app, io);
    addDemoCommand(app, io);

    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them back to front
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        // Help requests end as parse errors with status 0; every real usage error gives 2.
        return app.exit(e, out, err) == 0 ? 0 : 2;
    } catch (const std::exception& e) {
        err << "zelkit-cli: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace zelkit::cli
