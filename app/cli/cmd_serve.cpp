// The serve command: binds, prints the address with its token, serves until
// Ctrl-C (SIGINT) or SIGTERM. Every change was saved when it was made, so
// stopping has nothing left to write.
#include "app/cli/commands.h"

#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <CLI/CLI.hpp>

#include <atomic>
#include <iostream>
#include <memory>
#include <thread>

#include "app/core/project/app_context.h"
#include "app/cli/command_support.h"
#include "app/cli/report_terminal.h"
#include "app/serve/serve_http.h"

extern char** environ;

namespace ds_app {

namespace {

struct serve_options {
    std::filesystem::path file;
    int port = 0;
    bool open = false;
    std::string host = "127.0.0.1";
};

/// Hands the address to the desktop's browser; says so when there is none.
void open_in_browser(const std::string& address)
{
    pid_t child = 0;
    const char* argv[] = {"xdg-open", address.c_str(), nullptr};
    if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) {
        complain("--open: no xdg-open to start a browser; open the address above yourself");
        return;
    }
    // Some browsers keep xdg-open running until they close: reap it aside, never wait for it here.
    std::thread([child] {
        int status = 0;
        waitpid(child, &status, 0);
    }).detach();
}

void warn_exposed(const std::string& host, int port)
{
    std::cerr << "\n*** WARNING ***********************************************************\n"
              << "ds-host serve listens on " << host << ":" << port << ", not on 127.0.0.1 alone.\n"
              << "Anyone who can reach this machine and learns the address with its token\n"
              << "can read and change the project. Traffic is not encrypted.\n"
              << "***********************************************************************\n\n";
}

void run_serve(app_context& context, const serve_options& options)
{
    // The server's threads inherit this mask, so only the waiting thread below sees the signals.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    step_report report = terminal_report();
    std::error_code ec;
    if (!std::filesystem::exists(options.file, ec)) {
        // The page starts from nothing as `ds-host new` does: the sample bridge, no drawings yet.
        context.project().add_sample_bridge();
        context.project().save(options.file);
        report.line("New project " + options.file.string() + " on the built-in sample bridge.");
    }
    served_project project(context, options.file);
    web_server server(project);
    const int port = server.bind(options.host, options.port);
    if (options.host != "127.0.0.1") warn_exposed(options.host, port);
    report.line("Serving " + options.file.string() + "; open this address in a browser (Ctrl-C stops):");
    report.line("    " + server.address());
    std::cout << std::flush;
    if (options.open) open_in_browser(server.address());

    std::atomic<bool> stopping{false};
    std::thread waiter([&] {
        int signal = 0;
        sigwait(&stop_signals, &signal);
        stopping = true;
        server.stop();
    });
    server.run();
    if (!stopping) pthread_kill(waiter.native_handle(), SIGTERM);  // the server ended on its own: release the waiter
    waiter.join();
    report.line("Stopped. Every change was saved when it was made.");
}

}  // namespace

void add_serve_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<serve_options>();
    auto* cmd = app.add_subcommand("serve", "edit a project's drawings in a local web page, their sheets beside them");
    add_project_file(*cmd, o->file, "project file (made on the sample bridge when missing)", true);
    cmd->add_option("--port", o->port, "port to listen on (default: a free one)")->check(CLI::Range(0, 65535));
    cmd->add_flag("--open", o->open, "open the address in the desktop's browser");
    cmd->add_option("--host", o->host, "address to listen on; anything but 127.0.0.1 is reachable from elsewhere");
    cmd->callback([&context, o] { run_serve(context, *o); });
}

}  // namespace ds_app
