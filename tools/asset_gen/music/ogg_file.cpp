#include "tools/asset_gen/music/ogg_file.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace music {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

void WritePage(std::FILE* out, const ogg_page& page) {
  const bool written = std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), out) ==
                           static_cast<size_t>(page.header_len) &&
                       std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), out) ==
                           static_cast<size_t>(page.body_len);
  if (!written) throw std::runtime_error("cannot write the music");
}

}  // namespace

void WriteOgg(const std::filesystem::path& file, const Stereo& track, const char* sTitle,
              int nSerial, float quality) {
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wb"));
  if (!out) throw std::runtime_error("cannot create " + file.string());

  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, track.Rate(), quality) != 0)
    throw std::runtime_error("the Vorbis encoder refused the music's format");
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", sTitle);
  vorbis_comment_add_tag(&comment, "ALBUM", "Pibo II");
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, nSerial);

  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) WritePage(out.get(), page);

  auto drain = [&] {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) WritePage(out.get(), page);
      }
    }
  };
  const size_t frames = track.l.s.size();
  constexpr size_t kChunk = 4096;
  for (size_t at = 0; at < frames; at += kChunk) {
    const int count = static_cast<int>(std::min(kChunk, frames - at));
    float** buffer = vorbis_analysis_buffer(&dsp, count);
    for (int i = 0; i < count; ++i) {
      buffer[0][i] = static_cast<float>(track.l.s[at + i]);
      buffer[1][i] = static_cast<float>(track.r.s[at + i]);
    }
    vorbis_analysis_wrote(&dsp, count);
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  while (ogg_stream_flush(&stream, &page) != 0) WritePage(out.get(), page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
}

}  // namespace music
