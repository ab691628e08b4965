// The floor a project command is measured against: read a file, parse it with
// nlohmann's ordered_json, dump it and write it, as a process of its own.
//
//   ds_json_round_trip IN OUT
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <nlohmann/json.hpp>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: ds_json_round_trip IN OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto document = nlohmann::ordered_json::parse(text);
    std::ofstream out(argv[2], std::ios::binary);
    out << document.dump(2) << '\n';
    return out ? 0 : 1;
}
