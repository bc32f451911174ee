// Everything a program that hosts controls includes.
#pragma once

#include "host/Color.h"
#include "host/Control.h"
#include "host/ControlRegistry.h"
#include "host/ControlSite.h"
#include "host/DataObject.h"
#include "host/Error.h"
#include "host/EventArgs.h"
#include "host/FontDesc.h"
#include "host/Form.h"
#include "host/FormDesc.h"
#include "host/FormText.h"
#include "host/MessageBox.h"
#include "host/MessageLoop.h"
#include "host/Picture.h"
#include "host/PropertyBag.h"
#include "host/Units.h"
