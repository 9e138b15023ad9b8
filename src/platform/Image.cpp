#include "platform/Image.h"

#include <utility>

#include "platform/Graphics.h"
#include "platform/SdlBackend.h"

namespace platform {

Image::Image(Graphics& graphics, const std::string& path, bool hardBorders)
    : graphics_(graphics), pixels_(Bitmap::loadPng(path)), hardBorders_(hardBorders) {}

Image::Image(Graphics& graphics, Bitmap bitmap, bool hardBorders)
    : graphics_(graphics), pixels_(std::move(bitmap)), hardBorders_(hardBorders) {}

Image::~Image() = default;

void Image::replacePixels(const Bitmap& bitmap) {
  pixels_ = bitmap;
  dirty_ = true;
}

void Image::setTexture(std::unique_ptr<Texture> texture) const {
  texture_ = std::move(texture);
}

void Image::draw(double x, double y, double z, double scaleX, double scaleY, Color color) const {
  graphics_.queue(DrawCall{.kind = DrawCall::Kind::Image,
                           .image = this,
                           .imageLifetime = lifetime_,
                           .x = x,
                           .y = y,
                           .z = z,
                           .scaleX = scaleX,
                           .scaleY = scaleY,
                           .color = color});
}

void Image::drawRot(double x, double y, double z, double angle, double centerX, double centerY,
                    double scaleX, double scaleY, Color color) const {
  graphics_.queue(DrawCall{.kind = DrawCall::Kind::Image,
                           .image = this,
                           .imageLifetime = lifetime_,
                           .x = x,
                           .y = y,
                           .z = z,
                           .scaleX = scaleX,
                           .scaleY = scaleY,
                           .angle = angle,
                           .centerX = centerX,
                           .centerY = centerY,
                           .rotated = true,
                           .color = color});
}

}  // namespace platform
