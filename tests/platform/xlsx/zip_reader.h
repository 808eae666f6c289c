#pragma once

#include <zip.h>

#include <map>
#include <stdexcept>
#include <string>

namespace fb::xlsx::testing {

// Every entry of a zip archive held in memory, by name, in the archive's order of names.
inline std::map<std::string, std::string> unzip(const std::string& bytes,
                                                std::vector<std::string>* order = nullptr) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive == nullptr) {
    if (source != nullptr) zip_source_free(source);
    throw std::runtime_error("not a zip archive");
  }
  std::map<std::string, std::string> entries;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string content(static_cast<std::size_t>(stat.size), '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    zip_fread(file, content.data(), content.size());
    zip_fclose(file);
    if (order != nullptr) order->push_back(stat.name);
    entries[stat.name] = std::move(content);
  }
  zip_close(archive);
  return entries;
}

}  // namespace fb::xlsx::testing
