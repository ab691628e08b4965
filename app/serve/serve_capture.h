// What a ds-host step prints, caught as lines for the local server's page.
//
// The steps the server runs (grid edits, imports, checks) are the commands'
// own functions, which report on standard output. The server holds its one
// lock while a step runs, so swapping the stream's buffer for that time
// catches exactly that step's lines.
#pragma once

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace ds_app {

class output_capture {
public:
    output_capture() : m_old(std::cout.rdbuf(m_text.rdbuf())) {}
    ~output_capture() { std::cout.rdbuf(m_old); }
    output_capture(const output_capture&) = delete;
    output_capture& operator=(const output_capture&) = delete;

    /// The lines printed so far, blank ones left out.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        std::istringstream in(m_text.str());
        for (std::string line; std::getline(in, line);)
            if (line.find_first_not_of(' ') != std::string::npos) out.push_back(line);
        return out;
    }

private:
    std::ostringstream m_text;
    std::streambuf* m_old;
};

}  // namespace ds_app
