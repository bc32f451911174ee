VornForm 1
# The main window of VORN Lumatrim. Positions in twips, control extents in
# HIMETRIC. The pictures (window icon, banner of Picture1, line of Image1)
# are resources of the executable and are filled in when the form loads.

Begin Form VORN
  @Caption = "VORN - Glarecut 1.01"
  @ClientWidth = 3945
  @ClientHeight = 3225
  @BackColor = 0x004D483F
  @Font = font "Tahoma" 8.25 400
  @BorderStyle = 0
End

Begin Container Picture3
  @Container = ""
  @Left = 15
  @Top = 15
  @Width = 3915
  @Height = 3195
  @TabIndex = 0
  @BackColor = 0x004D483F
End

Begin Container Picture1
  @Container = "Picture3"
  @Left = -15
  @Top = -15
  @Width = 5580
  @Height = 1995
  @TabIndex = 3
  @BackColor = 0x00291E16
  @Font = font "MS Sans Serif" 8.25 400
End

Begin Label Label8
  @Container = "Picture1"
  @Left = 210
  @Top = 1680
  @Width = 1590
  @Height = 225
  @TabIndex = 4
  @Caption = "Lumatrim 1.01"
  @ForeColor = 0x00FFFFFF
  @Transparent = bool -1
  @Font = font "Tahoma" 8.25 700 bold
End

# Label1 reaches to just before Combo1, so its caption keeps to one line at
# every DPI, whatever the font's hinting does to its width (at 96 dpi the
# caption takes 100 of the label's 114 pixels).
Begin Label Label1
  @Container = "Picture3"
  @Left = 75
  @Top = 2190
  @Width = 1710
  @Height = 225
  @TabIndex = 7
  @Caption = "Post Process Effects:"
  @ForeColor = 0x00FFFFFF
  @Transparent = bool -1
  @ToolTipText = "If you can't see it in the dropdown list, type it yourself!"
End

Begin Image Image1
  @Container = "Picture3"
  @Left = 15
  @Top = 2580
  @Width = 5595
  @Height = 45
  @Stretch = bool -1
End

Begin Control Butt3 Butt
  @Container = "Picture3"
  @Left = 855
  @Top = 2670
  @ExtentX = 1667
  @ExtentY = 688
  @TabIndex = 6
  @ToolTipText = "Who Made This KOOL Shit?"
  Caption = text "ABOUT"
  BackStyle = int32 7
  Font = font "Tahoma" 8.25 400
  cFore = color 0x00FFFFFF
  cFHover = color 0x002394F5
  Focus = bool 0
  LockHover = int32 3
  cGradient = color 0x00000000
  Mode = int32 0
  Value = bool 0
  cBack = color 0x00291E16
End

Begin Control Butt2 Butt
  @Container = "Picture3"
  @Left = 1860
  @Top = 2670
  @ExtentX = 1667
  @ExtentY = 688
  @TabIndex = 5
  Caption = text "CANCEL"
  BackStyle = int32 7
  Font = font "Tahoma" 8.25 400
  cFore = color 0x00FFFFFF
  cFHover = color 0x002394F5
  Focus = bool 0
  LockHover = int32 3
  cGradient = color 0x00000000
  Mode = int32 0
  Value = bool 0
  cBack = color 0x00291E16
End

Begin Control Butt1 Butt
  @Container = "Picture3"
  @Left = 2865
  @Top = 2670
  @ExtentX = 1667
  @ExtentY = 688
  @TabIndex = 2
  Caption = text "APPLY"
  BackStyle = int32 7
  Font = font "Tahoma" 8.25 400
  cFore = color 0x00FFFFFF
  cFHover = color 0x002394F5
  Focus = bool 0
  LockHover = int32 3
  cGradient = color 0x00000000
  Mode = int32 0
  Value = bool 0
  cBack = color 0x00291E16
End

# The target folder lives in this label's caption, below the visible panel.
Begin Label ret
  @Container = "Picture3"
  @Left = 330
  @Top = 4020
  @Width = 1185
  @Height = 225
  @TabIndex = 8
  @Caption = "return"
  @Font = font "MS Sans Serif" 8.25 400
End
