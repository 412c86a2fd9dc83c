#include "app/render_page.h"


#include "core/app_state.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/png_writer.h"
#include "platform/system/text_encoding.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"
#include "view/text_paint.h"
#include "view/text_view.h"

namespace quillory {

int RenderPage(const RenderOptions& options, std::string& error) {
  ResetAppState();
  const platform::Module module{VolumeResources()};
  App().module = &module;
  FontDescription& font = App().font;
  SetFaceName(font.faceName, platform::Utf8ToUtf16(options.face));
  font.height = options.fontSize;
  font.asciiBase = kBaseUnicode;

  LoadStatus status{};
  TextBuffer text = LoadCompressedResource(options.article, &status);
  if (!text) {
    error = "article " + std::to_string(options.article) + " could not be decoded (status " +
            std::to_string(static_cast<int>(status)) + ")";
    return 1;
  }
  platform::Framebuffer page(platform::Size{options.width, options.height}, options.scale);
  platform::DeviceContext context(&page);
  const ViewRect area{0, 0, options.width, options.height};
  TextView* view = CreateTextView(&context, &area, font, 100);
  if (!view) {
    error = "there is not enough memory for the view";
    return 1;
  }
  int result = LayoutText(view, std::move(text), false);
  if (result == kLayoutOk) {
    view->topPosition = options.top;
    PaintTextView(view, true);
  }
  DestroyTextView(view, true);
  if (result != kLayoutOk) {
    error = "article " + std::to_string(options.article) + " could not be laid out (result " + std::to_string(result) + ")";
    return 1;
  }
  if (!platform::WritePng(page, options.output)) {
    error = "cannot write " + options.output;
    return 1;
  }
  return 0;
}

}  // namespace quillory
