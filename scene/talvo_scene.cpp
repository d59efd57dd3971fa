#include "scene/talvo_scene.h"

#include "geometry/build_constants.h"
#include "geometry/matrix_math.h"
#include "platform/process_globals.h"
#include "scene/projection.h"

int32_t CTalvoScene::SetupView() {
    const Matrix4 view =
        MatrixLookAtLH(EyePosition(*ProgramConstants), Vec3(0, 0, 1), Vec3(0, 1, 0));
    GraphicsDevice->SetTransform(gfx::TransformState::View, &view);
    const Matrix4 projection = ProjectionMatrix(*ProgramConstants);
    GraphicsDevice->SetTransform(gfx::TransformState::Projection, &projection);
    return 0;
}
