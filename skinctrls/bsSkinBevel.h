#pragma once
// TbsSkinBevel: the framework bevel in the colours of the skin's "bevel" record
// ("lightcolor", "darkcolor"), or in button highlight and shadow without one. In
// DividerMode it draws a single divider across the middle instead of its shape.

#include "skinctrls/bsSkinCtrls.h"

#include "framework/Bevel.h"

class TbsSkinBevel : public TBevel, public TbsSkinClient {
    Q_OBJECT
public:
    explicit TbsSkinBevel(QWidget* parent = nullptr);
    ~TbsSkinBevel() override;

    TbsSkinData* SkinData() const override { return FSkinData.data(); }
    // Re-fetches the colours and repaints.
    void SetSkinData(TbsSkinData* value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& value);
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool value);

    TColor LightColor() const { return FLightColor; }
    TColor DarkColor() const { return FDarkColor; }

    void ForgetSkin() override {}
    // Without a "bevel" record the colours return to the defaults.
    void ApplySkin() override;

protected:
    void Paint() override;

private:
    void DrawDivider(TCanvas& canvas);

    QPointer<TbsSkinData> FSkinData;
    QString FSkinDataName = QStringLiteral("bevel");
    bool FDividerMode = false;
    TColor FLightColor = clBtnHighlight;
    TColor FDarkColor = clBtnShadow;
};
