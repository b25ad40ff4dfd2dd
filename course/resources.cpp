#include "course/resources.h"

#include <array>
#include <system_error>

#include "course/atomic_file.h"
#include "course/file_system.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::array<Picture, 91> kPictures = {{
    {1, "about_off.bmp"},          {2, "about_on.bmp"},           {3, "about_pressed.bmp"},
    {4, "back_disabled.bmp"},      {5, "back_off.bmp"},           {6, "back_on.bmp"},
    {7, "back_pressed.bmp"},       {8, "close_off.bmp"},          {9, "close_on.bmp"},
    {10, "close_pressed.bmp"},     {11, "forward_disabled.bmp"},  {12, "forward_off.bmp"},
    {13, "forward_on.bmp"},        {14, "forward_pressed.bmp"},   {15, "home_off.bmp"},
    {16, "home_on.bmp"},           {17, "home_pressed.bmp"},      {18, "mark_disabled.bmp"},
    {19, "mark_off.bmp"},          {20, "mark_on.bmp"},           {21, "mark_pressed.bmp"},
    {22, "print_off.bmp"},         {23, "print_on.bmp"},          {24, "print_pressed.bmp"},
    {25, "report_off.bmp"},        {26, "report_on.bmp"},         {27, "report_pressed.bmp"},
    {28, "save_disabled.bmp"},     {29, "save_off.bmp"},          {30, "save_on.bmp"},
    {31, "save_pressed.bmp"},      {32, "setup_off.bmp"},         {33, "setup_on.bmp"},
    {34, "setup_pressed.bmp"},     {35, "trash_off.bmp"},         {36, "trash_on.bmp"},
    {37, "trash_pressed.bmp"},     {41, "tabs_back_off.bmp"},     {42, "tabs_back_on.bmp"},
    {43, "tabs_front_off.bmp"},    {44, "tabs_front_on.bmp"},     {45, "border_bot.bmp"},
    {46, "border_left.bmp"},       {47, "border_left_corners.bmp"}, {48, "border_right.bmp"},
    {49, "border_right_corners.bmp"}, {50, "border_top_center.bmp"}, {51, "border_top_left.bmp"},
    {52, "border_top_right.bmp"},  {53, "border_white_top_center.bmp"},
    {54, "border_white_top_left.bmp"}, {55, "border_white_top_right.bmp"},
    {56, "prog_blue_close.bmp"},   {57, "prog_blue_max.bmp"},     {58, "prog_blue_min.bmp"},
    {59, "prog_blue_norm.bmp"},    {60, "prog_blueoff_close.bmp"}, {61, "prog_blueoff_max.bmp"},
    {62, "prog_blueoff_min.bmp"},  {63, "prog_blueoff_norm.bmp"}, {64, "prog_white_close.bmp"},
    {65, "prog_white_max.bmp"},    {66, "prog_white_min.bmp"},    {67, "prog_white_norm.bmp"},
    {68, "loadbutton_on.bmp"},     {69, "loadbutton_off.bmp"},    {70, "button_off.bmp"},
    {71, "button_on.bmp"},         {72, "button_pressed.bmp"},    {73, "bottombg1.bmp"},
    {74, "bottombg2.bmp"},         {75, "bottombg3.bmp"},         {76, "bottombg4.bmp"},
    {77, "columnhead1.bmp"},       {78, "columnhead2.bmp"},       {79, "progressbar.bmp"},
    {80, "statusgrabber.bmp"},     {81, "bullet.bmp"},            {82, "Handle.bmp"},
    {83, "pen.bmp"},               {84, "bar.bmp"},               {85, "QVicon.ico"},
    {86, "pencil.ico"},            {87, "hand.ico"},              {88, "info_mark.gif"},
    {89, "Logo.gif"},              {90, "instruction.gif"},       {91, "Border_bot_left.gif"},
    {92, "Border_bot_right.gif"},  {93, "mistakes_off.bmp"},      {94, "mistakes_on.bmp"},
}};

}  // namespace

void MemoryResourceSource::Add(int id, std::string bytes, std::string type) {
    resources_[{id, std::move(type)}] = std::move(bytes);
}

std::optional<std::string> MemoryResourceSource::Load(int id, std::string_view type) const {
    const auto found = resources_.find(std::make_pair(id, std::string(type)));
    if (found == resources_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> DirectoryResourceSource::Load(int id, std::string_view type) const {
    if (type != kResourceType) return std::nullopt;
    auto file = ReadWholeFile(folder_ / std::to_string(id));
    if (!file.ok()) return std::nullopt;
    return std::move(file.value);
}

Extraction ExtractResourceFile(const ResourceSource& source, int id, std::string_view type,
                               const fs::path& target, Durability durability) {
    const auto bytes = source.Load(id, type);
    if (!bytes) return {};
    return {true, AtomicWriteFile(target, *bytes, durability)};
}

ExtractStatus ExtractResource(const ResourceSource& source, int id, std::string_view type,
                    const fs::path& target) {
    const Extraction extraction = ExtractResourceFile(source, id, type, target);
    if (!extraction.found) return ExtractStatus::NoResource;
    if (extraction.write == IoStatus::DiskFull) return ExtractStatus::DiskFull;
    return extraction.ok() ? ExtractStatus::Ok : ExtractStatus::WriteFailed;
}

std::span<const Picture> InterfacePictures() { return kPictures; }

std::string_view PictureFileName(int id) {
    for (const Picture& picture : kPictures) {
        if (picture.id == id) return picture.fileName;
    }
    return {};
}

int PictureId(std::string_view fileName) {
    for (const Picture& picture : kPictures) {
        if (picture.fileName == fileName) return picture.id;
    }
    return 0;
}

std::vector<int> ExtractPictures(const ResourceSource& source, const fs::path& workDir) {
    const fs::path folder = workDir / "Graphics";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    RemoveStaleTemporaries(folder);
    std::vector<int> failed;
    for (const Picture& picture : kPictures) {
        const fs::path target = folder / picture.fileName;
        const auto bytes = source.Load(picture.id, kResourceType);
        if (!bytes) {
            failed.push_back(picture.id);
            continue;
        }
        // A picture already on disk with the same bytes is left alone: the
        // folder ends up the same, without rewriting 91 files at every start.
        const auto old = ReadWholeFile(target);
        if (old.ok() && old.value == *bytes) continue;
        if (AtomicWriteFile(target, *bytes) != IoStatus::Ok) failed.push_back(picture.id);
    }
    return failed;
}

}  // namespace qv
